#pragma once

// The plug-in's embedded images, kept in wx's memory file system and named in
// an XML resource index, so that a layout gets them with
// wxXmlResource::Get()->LoadBitmap("keyboard").

// Set once the resources are loaded; false at load.
extern bool g_bitmapResourcesLoaded;

// Puts the images and their index into the memory file system (installing
// its handler when needed) and loads the index.
void InitBitmapResources();

// What every layout does right after creating its window: the
// first call registers the bitmap handler with the XML resource system and
// loads the resources; later calls do nothing. True when this call loaded.
bool EnsureBitmapResources();
