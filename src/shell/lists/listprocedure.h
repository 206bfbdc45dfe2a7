#pragma once

#include "framework/browse/browsemanager.h"
#include "framework/procedurecontroller.h"
#include "shell/lists/listdefinitions.h"

#include <memory>

class QTabWidget;

// The one guarded window at a time. A guarded list takes the guard when its window opens and
// gives it back however the window closes (close button, close box, the frame closing
// down), so the flag never stays set without a guarded window to show for it; a window that
// was refused never held it and gives nothing back.
class ListWindowGuard
{
public:
    explicit ListWindowGuard(int &flag)
        : m_flag(flag)
    {}
    ~ListWindowGuard() { release(); }
    ListWindowGuard(const ListWindowGuard &) = delete;
    ListWindowGuard &operator=(const ListWindowGuard &) = delete;

    // False when another guarded window is open.
    bool take();
    void release();
    bool held() const { return m_held; }

private:
    int &m_flag;
    bool m_held = false;
};

// A list window built from its definition: one list control over a tab sheet with one tab per
// sort order, the buttons of its kind, and the update procedure called by name.
class ListProcedure : public ProcedureController
{
public:
    // Control numbers shared by every list.
    static constexpr int kList = 1;
    static constexpr int kClose = 6;
    static constexpr int kSheet = 7;
    static constexpr int kPick = 8;
    static constexpr int kSearch = 9;
    static constexpr int kPrint = 10;
    static constexpr int kFooter = 11;
    static constexpr int kFirstTab = 20;
    static constexpr int kFirstLegend = 40;
    static constexpr int kFirstFilter = 60;

    ListProcedure(AppContext &app, const shell::ListDef &def);
    ~ListProcedure() override;

    const shell::ListDef &definition() const { return m_def; }
    BrowseManager &browse() { return m_browse; }

    int Shutdown() override;
    void Reset(std::uint8_t force = 0) override;
    int RunProcedure(int number, int request) override;
    int OnAccepted() override;
    int OnWindowEvent() override;
    int OnCloseRequest() override;

    // The control numbers of the buttons; 0 where the list has none.
    int selectControl() const;
    int insertControl() const;
    int changeControl() const;
    int deleteControl() const;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    int currentTab() const;
    void pick(const shell::ListTab &tab);
    // The window's size and place and the list's column widths, as the settings file keeps
    // them between runs under the procedure's name.
    void restoreLayout();
    void keepLayout();
    // Refuses the window while another guarded one is open; false when refused.
    bool takeGuard();
    void defineFilters(FormBuilder &form);
    // The list shows the records that pass the filters' values as they stand now.
    void applyFilters();
    // The filters' condition with the list's own.
    std::string withCondition(const std::string &filters) const;
    void showFooter();

    const shell::ListDef &m_def;
    std::unique_ptr<View> m_view;
    BrowseManager m_browse;
    ListWindowGuard m_guard;
    QTabWidget *m_sheet = nullptr;
    bool m_guardChecked = false;
};

// Runs the list window of `def` on the calling thread; its response goes to LastResponse.
void runList(AppContext &app, const shell::ListDef &def);
