#pragma once

class HostManager;
class wxWindow;

// Takes a pane off the host's output or workspace notebook and destroys it:
// the page before it (page 1 when it is page 0) is selected without a page
// event, the page removed without deleting, then the window destroyed, also
// when no notebook holds it. A null window does nothing.
void RemoveNotebookPage(HostManager* manager, wxWindow* window);
