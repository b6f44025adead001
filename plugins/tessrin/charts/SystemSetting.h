#pragma once

#include "charts/SettingsPreview.h"
#include "charts/SystemSettingValues.h"
#include "layouts/SystemSettingBase.h"

class RecordStore;

// The settings dialog: preferences on page "Base", chart colours with a live
// preview on page "Chart". Nothing is stored before "ok"; cancel and the
// close box store nothing. Shown modally by its opener.
class SystemSetting : public SystemSettingBase
{
public:
    enum { kPageBase = 0, kPageChart = 1 };

    // parent may be null; the record store (for the binary-option check)
    // defaults to the plug-in's.
    explicit SystemSetting(wxWindow* parent, RecordStore* db = nullptr);
    ~SystemSetting() override;

    // The page book, so an opener can show the "Chart" page first.
    wxNotebook* GetBook() { return m_notebook; }
    // What the controls hold now, as OK would store it.
    SystemSettingValues GetValues() const;
    // Redraws the preview in the viewer's current size.
    void DrawPreview();
    // How many previews were handed to the viewer.
    int GetPreviewCount() const { return m_previewCount; }

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnBackgroundColour(wxColourPickerEvent& event) override;
    void OnForegroundColour(wxColourPickerEvent& event) override;
    void OnBarUpColour(wxColourPickerEvent& event) override;
    void OnBarDownColour(wxColourPickerEvent& event) override;
    void OnBullCandleColour(wxColourPickerEvent& event) override;
    void OnBearCandleColour(wxColourPickerEvent& event) override;
    void OnBullSolid(wxCommandEvent& event) override;
    void OnBearSolid(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;
    void OnCancel(wxCommandEvent& event) override;

private:
    bool HasBinaryOptionSymbol() const;
    // Ends the modal loop, or hides a dialog that was shown without one.
    void Finish(int result);
    wxPGProperty* NotifyProperty(int type) const;

    RecordStore* m_db;
    SystemSettingValues m_values; // the working copy; colours and solid flags
    SettingsPreview m_preview{1};
    int m_previewCount = 0;
};
