#pragma once

class HistoryPane;
class NoticeClick;
class SymbolPane;
class TranscationPanel;

// The panes of the features in the host's notebooks, as the plug-in object
// sees them: built at start-up, given their pages as their markets arrive,
// removed at shut-down. The plug-in library's composition root makes the
// one implementation; the frame knows no pane class.
class IPaneSet
{
public:
    virtual ~IPaneSet() = default;

    // The shared objects the panes use (the alarm sound), before the panes.
    virtual void StartShared() = 0;
    // The panes and their output pages; the tool bar and status bar come
    // after.
    virtual void CreatePanes() = 0;
    // Docks the quick-order panel beside the centre, after the tool bar.
    virtual void DockPanes() = 0;
    // Takes every pane off the host's notebooks in the shut-down order and
    // destroys it.
    virtual void RemovePanes() = 0;
    // Last at shut-down: the bulletin poll and the alarm sound.
    virtual void ReleaseShared() = 0;

    // Pages that come with the first symbol of their market.
    virtual void AddBinaryOptionPages() = 0;
    virtual void AddBinaryOptionSymbolPage() = 0;
    virtual void AddOtcSymbolPage() = 0;
    virtual void AddAllSymbolPage() = 0;
    virtual void AddBinaryOptionHistoryPage() = 0;

    // The quote boards show their figures only while logged in; logged out,
    // the history pages, bulletins and risk rules of the login go.
    virtual void SetLoggedIn(bool loggedIn) = 0;

    // Brings forward the pane a clicked trade notice is about, at its row.
    virtual void ShowNoticeTarget(const NoticeClick& click) = 0;

    virtual HistoryPane* GetHistoryPane() const = 0;
    virtual SymbolPane* GetBinaryOptionSymbolPane() const = 0;
    virtual SymbolPane* GetOtcSymbolPane() const = 0;
    virtual SymbolPane* GetAllSymbolPane() const = 0;
    virtual TranscationPanel* GetTranscationPanel() const = 0;
};
