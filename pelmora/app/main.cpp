#include "PelmoraApp.h"

wxIMPLEMENT_APP(PelmoraApp);
