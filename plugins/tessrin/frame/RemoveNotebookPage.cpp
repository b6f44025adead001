#include "frame/RemoveNotebookPage.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>

void RemoveNotebookPage(HostManager* manager, wxWindow* window)
{
    if(!window) {
        return;
    }
    Notebook* books[] = {manager ? manager->GetOutputBook() : nullptr,
                         manager ? manager->GetWorkspaceBook() : nullptr};
    for(Notebook* book : books) {
        const int index = book ? book->GetPageIndex(window) : wxNOT_FOUND;
        if(index == wxNOT_FOUND) {
            continue;
        }
        book->SetSelection(index == 0 ? 1 : index - 1, false);
        book->RemovePage(static_cast<size_t>(index), false);
        break;
    }
    window->Destroy();
}
