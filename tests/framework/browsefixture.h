#pragma once

#include "formfixture.h"

#include "framework/browse/browsemanager.h"
#include "framework/core/textstep.h"
#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "store/files.h"

#include <QFormLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// What a test sets of the customer list and what it sees of it while it runs.
struct ListProbe
{
    bool allowUnfilled = false;
    bool print = false;                               // a print button calling procedure 2
    bool hideSelect = false;                          // HIDESELECT
    std::vector<std::pair<int, std::string>> printed; // request and name the print procedure saw
    BrowseManager *byName = nullptr;
    BrowseManager *byPlace = nullptr;
};

// The customer list as the list procedures are written: by name on the first tab, by place
// on the second; new, change, delete and select buttons; the update form called by number.
class CustomerList : public ProcedureController
{
public:
    static constexpr int kSheet = 20;
    static constexpr int kByName = 31;
    static constexpr int kByPlace = 32;
    static constexpr int kInsert = 5;
    static constexpr int kChange = 6;
    static constexpr int kDelete = 7;
    static constexpr int kSelect = 8;
    static constexpr int kPrint = 9;

    CustomerList(AppContext &app, ListProbe &probe)
        : ProcedureController(app, "Browsekunde", QStringLiteral("Kunden"))
        , m_probe(probe)
    {
        useFile(FileId::kunde);
    }
    ~CustomerList() override
    {
        m_probe.byName = nullptr;
        m_probe.byPlace = nullptr;
    }

    int RunProcedure(int number, int request) override
    {
        if (number == 2) {
            m_probe.printed.emplace_back(request, records().get(KUN::KNAME));
            return Response::Completed;
        }
        return number == 1 ? app().call("Updatekunde", request) : Response::Cancelled;
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        ProcWindow &window = form.window();
        auto *sheet = new QTabWidget(window.content());
        auto *first = new QWidget;
        auto *second = new QWidget;
        sheet->addTab(first, QStringLiteral("Nach Name"));
        sheet->addTab(second, QStringLiteral("Nach Ort"));
        auto *names = new ListControl(first);
        names->setColumns({QStringLiteral("Name"), QStringLiteral("Nummer")});
        names->setVerticalScrollBar(true);
        names->setMinimumHeight(260);
        (new QVBoxLayout(first))->addWidget(names);
        auto *places = new ListControl(second);
        places->setColumns({QStringLiteral("Ort"), QStringLiteral("Name")});
        (new QVBoxLayout(second))->addWidget(places);
        form.rows()->addRow(sheet);
        window.addControl(kSheet, sheet, QStringLiteral("Sortierung"));
        window.addControl(kByName, names, QStringLiteral("Kunden"));
        window.addControl(kByPlace, places, QStringLiteral("Kunden nach Ort"));
        form.button(kInsert, QStringLiteral("&Neu"));
        form.button(kChange, QStringLiteral("&Ändern"));
        form.button(kDelete, QStringLiteral("&Löschen"));
        form.button(kSelect, QStringLiteral("&Auswahl"));
        form.button(kPrint, QStringLiteral("&Drucken"));
    }

    void setUpWindow() override
    {
        RelationKeeper &customers = store().relations(FileId::kunde);
        FileManager &file = store().fileManager(FileId::kunde);
        m_nameView = std::make_unique<View>(customers);
        m_byName.Init(*this, kByName, *m_nameView, customers, file, records());
        m_byName.AddSortOrder(KUN::Keykname,
                              FieldRef(KUN::KNAME),
                              std::make_unique<TextStep>(TextStep::LookupMode::Computed,
                                                         StepManager::Alphabetic
                                                             | StepManager::Punctuation
                                                             | StepManager::Digits));
        m_byName.AddField(KUN::KNAME);
        m_byName.AddField(KUN::KID);
        m_byName.INSERTCONTROL = kInsert;
        m_byName.CHANGECONTROL = kChange;
        m_byName.DELETECONTROL = kDelete;
        m_byName.SELECTCONTROL = kSelect;
        m_byName.ASKPROCEDURE = 1;
        m_byName.ALLOWUNFILLED = m_probe.allowUnfilled ? 1 : 0;
        m_byName.HIDESELECT = m_probe.hideSelect ? 1 : 0;
        if (m_probe.print) {
            m_byName.PRINTCONTROL = kPrint;
            m_byName.PRINTPROCEDURE = 2;
        }
        AddBrowse(m_byName);

        m_placeView = std::make_unique<View>(customers);
        m_byPlace.Init(*this, kByPlace, *m_placeView, customers, file, records());
        m_byPlace.AddSortOrder(KUN::Keykort, FieldRef(KUN::KORT));
        m_byPlace.AddField(KUN::KORT);
        m_byPlace.AddField(KUN::KNAME);
        AddBrowse(m_byPlace);
        m_probe.byName = &m_byName;
        m_probe.byPlace = &m_byPlace;
    }

private:
    ListProbe &m_probe;
    std::unique_ptr<View> m_nameView;
    std::unique_ptr<View> m_placeView;
    BrowseManager m_byName;
    BrowseManager m_byPlace;
};

// The update form of a customer: name and number.
class CustomerForm : public ProcedureController
{
public:
    explicit CustomerForm(AppContext &app)
        : ProcedureController(app, "Updatekunde", QStringLiteral("Kunde"))
    {
        setPrimary(FileId::kunde, 10, 11);
    }

protected:
    void registerParts() override { DELETEACTION = 4; }
    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, QStringLiteral("Name"), KUN::KNAME, QStringLiteral("@s45"));
        form.entry(2, QStringLiteral("Nummer"), KUN::KID, QStringLiteral("@s14"));
        form.okCancel(10, 11);
    }
};

// The customer file with `count` customers "Aame 000", "Bame 001", ... (twenty initials in
// turn) in towns "Ort 00" to "Ort 06", and the list and its form registered.
class BrowseFixture : public FormFixture
{
public:
    explicit BrowseFixture(int count = 0)
    {
        app->procedures().add("Browsekunde", [this](AppContext &context) {
            CustomerList list(context, probe);
            context.LastResponse = list.Run();
        });
        app->procedures().add<CustomerForm>("Updatekunde");
        FileManager &file = store->fileManager(FileId::kunde);
        file.Open();
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "%came %03d", 'A' + i % 20, i);
            char place[16];
            std::snprintf(place, sizeof place, "Ort %02d", i % 7);
            addCustomer(file, name, place, i);
        }
        file.Close();
    }

    void addCustomer(FileManager &file, const std::string &name, const std::string &place, int n)
    {
        file.PrepareNewRecord();
        Records &records = store->records();
        records.set(KUN::KNAME, name);
        records.set(KUN::KID, "K" + std::to_string(10000 + n));
        records.set(KUN::KORT, place);
        file.Insert();
        names.push_back(name);
        std::sort(names.begin(), names.end());
    }

    // Opens the list; its window.
    ProcWindow *openList()
    {
        gui.start(QStringLiteral("Browsekunde"), [this] { app->call("Browsekunde"); });
        return gui.window(QStringLiteral("Kunden"));
    }

    QStringList shownNames(ProcWindow *window, int control = CustomerList::kByName) const
    {
        QStringList shown;
        ListControl *list = window->list(control);
        for (int r = 1; r <= list->rowCount(); ++r)
            shown << list->row(r).value(0);
        return shown;
    }

    // Names `count` names of the sorted file from `first` (0-based).
    QStringList sortedNames(std::size_t first, std::size_t count) const
    {
        QStringList slice;
        for (std::size_t i = first; i < std::min(names.size(), first + count); ++i)
            slice << QString::fromStdString(names[i]);
        return slice;
    }

    QString highlightedName(ProcWindow *window) const
    {
        ListControl *list = window->list(CustomerList::kByName);
        return list->row(list->highlighted()).value(0);
    }

    ListProbe probe;
    std::vector<std::string> names; // sorted
};
