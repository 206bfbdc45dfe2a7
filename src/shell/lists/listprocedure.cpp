#include "shell/lists/listprocedure.h"

#include "framework/core/stepmanager.h"
#include "framework/core/textstep.h"
#include "framework/formbuilder.h"
#include "framework/iniwindows.h"
#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace shell;
using namespace Qt::Literals::StringLiterals;

namespace {

const char *const kGuardTitle = "U u u p p p s s";
const char *const kGuardText = "Bitte verlassen Sie erst die geöffneten Menüs.";

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

// A text of the list's definition as the window shows it: in German where the definition
// marks it for translation, else as it stands.
QString shown(const std::string &text)
{
    return QCoreApplication::translate("ListWindow", text.c_str());
}

// Paints one column of a list on its own background.
class ColumnBackground : public QStyledItemDelegate
{
public:
    ColumnBackground(QColor colour, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_colour(colour)
    {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = m_colour;
    }

private:
    QColor m_colour;
};

// Number keys step through their values; text keys through a table computed from the first
// and last values, letters only.
std::unique_ptr<StepManager> stepFor(KeyRef key)
{
    const FileDef &file = fileDef(key.file);
    const FieldDef &first = file.fields[file.keys[key.index].parts[0].field];
    if (first.type == FieldType::String)
        return std::make_unique<TextStep>(TextStep::LookupMode::Computed, StepManager::Alphabetic);
    return std::make_unique<NumericStep>();
}

} // namespace

bool ListWindowGuard::take()
{
    if (m_held)
        return true;
    if (m_flag == 1)
        return false;
    m_flag = 1;
    m_held = true;
    return true;
}

void ListWindowGuard::release()
{
    if (!m_held)
        return;
    m_held = false;
    m_flag = 0;
}

ListProcedure::ListProcedure(AppContext &app, const ListDef &def)
    : ProcedureController(app, def.procedure, shown(def.title))
    , m_def(def)
    , m_guard(app.ListWindowOpen)
{
    useFile(def.file);
    setCancelControl(kClose);
}

ListProcedure::~ListProcedure() = default;

int ListProcedure::selectControl() const
{
    switch (m_def.buttons) {
    case ButtonSet::SelectFirst:
    case ButtonSet::SelectOnly:
        return 2;
    default:
        return 0;
    }
}

int ListProcedure::insertControl() const
{
    switch (m_def.buttons) {
    case ButtonSet::Standard:
        return 2;
    case ButtonSet::SelectFirst:
        return 3;
    default:
        return 0;
    }
}

int ListProcedure::changeControl() const
{
    switch (m_def.buttons) {
    case ButtonSet::Standard:
    case ButtonSet::ChangeOnly:
        return 3;
    case ButtonSet::SelectFirst:
        return 4;
    default:
        return 0;
    }
}

int ListProcedure::deleteControl() const
{
    switch (m_def.buttons) {
    case ButtonSet::Standard:
        return 4;
    case ButtonSet::SelectFirst:
        return 5;
    default:
        return 0;
    }
}

void ListProcedure::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    m_sheet = new QTabWidget(window.content());
    for (std::size_t i = 0; i < m_def.tabs.size(); ++i) {
        const ListTab &tab = m_def.tabs[i];
        auto *page = new QWidget;
        auto *column = new QVBoxLayout(page);
        m_sheet->addTab(page, shown(tab.text));
        window.addControl(kFirstTab + static_cast<int>(i), page, shown(tab.text));
        if (tab.pick != Pick::None) {
            auto *button
                = new QPushButton(tab.pick == Pick::Order
                                      ? QCoreApplication::translate("ListWindow", "Select auftrag")
                                      : QCoreApplication::translate("ListWindow", "Select kunde"),
                                  page);
            button->setAutoDefault(false);
            column->addWidget(button, 0, Qt::AlignLeft);
            window.addControl(kPick, button);
        }
        if (i == 0) {
            for (std::size_t l = 0; l < m_def.legend.size(); ++l) {
                auto *line = new QLabel(qs(m_def.legend[l]), page);
                column->addWidget(line);
                window.addControl(kFirstLegend + static_cast<int>(l), line, qs(m_def.legend[l]));
            }
        }
        column->addStretch(1);
    }
    form.rows()->addRow(m_sheet);
    window.addControl(kSheet, m_sheet, shown(m_def.title));
    defineFilters(form);

    auto *list = new ListControl(window.content());
    QStringList headings;
    QList<int> numbers;
    for (const ListColumn &column : m_def.columns) {
        if (columnPicture(column).starts_with("@n"))
            numbers << static_cast<int>(headings.size());
        headings << shown(column.heading);
    }
    list->setColumns(headings);
    list->setNumberColumns(numbers);
    list->setVerticalScrollBar(true);
    list->setMinimumSize(860, 260);
    for (std::size_t c = 0; c < m_def.columns.size(); ++c) {
        if (const std::uint32_t rgb = m_def.columns[c].background; rgb != 0)
            list->view()->setItemDelegateForColumn(
                static_cast<int>(c), new ColumnBackground(QColor::fromRgb(rgb), list->view()));
    }
    // What the list's locator is looking for: the letters typed into the list.
    auto *search = new QLineEdit(window.content());
    search->setReadOnly(true);
    search->setFocusPolicy(Qt::NoFocus);
    search->setMaximumWidth(300);
    search->setToolTip(u"Tippen Sie in der Liste: sie springt zum ersten passenden Satz."_s);
    form.rows()->addRow(u"Suche"_s, search);
    window.addControl(kSearch, search, u"Suche"_s);
    form.rows()->addRow(list);
    window.addControl(kList, list, shown(m_def.title));
    if (m_def.footer) {
        auto *footer = new QLabel(window.content());
        footer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        form.rows()->addRow(footer);
        window.addControl(kFooter, footer, u"Summe"_s);
    }

    if (const int select = selectControl())
        form.button(select, QCoreApplication::translate("ListWindow", "&Select"));
    if (const int insert = insertControl())
        form.button(insert, shown(m_def.insertText));
    if (const int change = changeControl())
        form.button(change, shown(m_def.changeText));
    if (const int remove = deleteControl())
        form.button(remove, shown(m_def.deleteText));
    if (!m_def.print.empty())
        form.button(kPrint, shown(m_def.printText));
    form.button(kClose, shown(m_def.closeText));
}

void ListProcedure::setUpWindow()
{
    if (m_def.prepare)
        m_def.prepare(store());
    RelationKeeper &keeper = store().relations(m_def.file);
    m_view = std::make_unique<View>(keeper);
    m_browse.Init(*this, kList, *m_view, keeper, store().fileManager(m_def.file), records());
    // Tab 1 shows the order added last.
    const int tabs = static_cast<int>(m_def.tabs.size());
    for (int order = 1; order <= tabs; ++order) {
        const ListTab &tab = m_def.tabs[static_cast<std::size_t>(tabOfOrder(order, tabs) - 1)];
        m_browse.AddSortOrder(tab.key, tab.locator, stepFor(tab.key));
        if (tab.rangeOnOrder)
            m_browse.AddRangeLimit(*tab.rangeOnOrder, RangeValue(AUF::FID));
        if (tab.rangeOnCustomer)
            m_browse.AddRangeLimit(*tab.rangeOnCustomer, RangeValue(KUN::KID));
        // The list's own condition holds in every order.
        if (!m_def.condition.empty())
            m_browse.SetNamedFilter(m_def.condition, "1 Liste");
    }
    for (const ListColumn &column : m_def.columns)
        m_browse.AddField(column.field, qs(columnPicture(column)));
    m_browse.INSERTCONTROL = insertControl();
    m_browse.CHANGECONTROL = changeControl();
    m_browse.DELETECONTROL = deleteControl();
    m_browse.SELECTCONTROL = selectControl();
    m_browse.ASKPROCEDURE = m_def.update.empty() ? 0 : 1;
    if (!m_def.print.empty()) {
        m_browse.PRINTCONTROL = kPrint;
        m_browse.PRINTPROCEDURE = 2;
    }
    m_browse.setSearchControl(kSearch);
    AddBrowse(m_browse);
    restoreLayout();
    showFooter();
}

void ListProcedure::showFooter()
{
    if (!m_def.footer || !procWindow())
        return;
    if (auto *footer = qobject_cast<QLabel *>(procWindow()->control(kFooter)))
        footer->setText(qs(m_def.footer(store())));
}

namespace {

// Column widths as one entry, "120,80,95": few characters, and readable by any reader of
// sectioned settings files.
constexpr std::string_view kColumnsEntry = "Columns";
constexpr int kMostColumns = 64;
constexpr int kWidestColumn = 4000;

QList<int> columnWidths(const std::string &text)
{
    QList<int> widths;
    for (const QString &part : QString::fromStdString(text).split(u',', Qt::SkipEmptyParts)) {
        if (widths.size() == kMostColumns)
            break;
        bool ok = false;
        const int width = part.trimmed().toInt(&ok);
        widths << (ok && width > 0 && width <= kWidestColumn ? width : 0);
    }
    return widths;
}

} // namespace

void ListProcedure::restoreLayout()
{
    ProcWindow &window = *procWindow();
    IniSubWindow place(*window.subWindow());
    IniManager &ini = store().ini();
    ini.FetchWindow(m_def.procedure, place);
    const QList<int> widths = columnWidths(ini.Fetch(m_def.procedure, kColumnsEntry));
    if (!widths.isEmpty())
        window.list(kList)->setColumnWidths(widths);
}

void ListProcedure::keepLayout()
{
    ProcWindow *window = procWindow();
    if (!window || !window->subWindow())
        return;
    IniManager &ini = store().ini();
    ini.UpdateWindow(m_def.procedure, IniSubWindow(*window->subWindow()));
    QStringList widths;
    for (int width : window->list(kList)->columnWidths())
        widths << QString::number(width);
    ini.Update(m_def.procedure, kColumnsEntry, widths.join(u',').toStdString());
}

int ListProcedure::OnCloseRequest()
{
    // Kept while the window still stands: closing takes it away.
    keepLayout();
    return ProcedureController::OnCloseRequest();
}

int ListProcedure::Shutdown()
{
    const int level = ProcedureController::Shutdown();
    m_guard.release();
    return level;
}

int ListProcedure::currentTab() const
{
    ProcWindow *window = procWindow();
    return window ? std::max(window->choice(kSheet), 1) : 1;
}

void ListProcedure::Reset(std::uint8_t force)
{
    if (procWindow())
        m_browse.SetSort(orderOfTab(currentTab(), static_cast<int>(m_def.tabs.size())));
    ProcedureController::Reset(force);
}

int ListProcedure::RunProcedure(int number, int request)
{
    if (number == 2 && !m_def.print.empty()) {
        const int response = app().call(m_def.print, request);
        // What the procedure recorded shows in the rows.
        m_browse.ResetQueue(BrowseManager::ReloadPage);
        showFooter();
        return response;
    }
    if (number != 1 || m_def.update.empty())
        return Response::Cancelled;
    const bool formThere = app().procedures().contains(m_def.update);
    const int response = app().call(m_def.update, request);
    // The list numbered a new record for the form; with no form to complete or abandon it,
    // the list takes it back so that no empty record stays in the file.
    if (!formThere && request == Request::Insert)
        store().relations(m_def.file).CancelNumbering();
    showFooter();
    return response;
}

int ListProcedure::OnAccepted()
{
    if (const int control = event().control;
        control >= kFirstFilter && control < kFirstFilter + int(m_def.filters.size())) {
        applyFilters();
        return Level::Notify;
    }
    if (event().control == kPick) {
        const auto tab = static_cast<std::size_t>(currentTab() - 1);
        if (tab < m_def.tabs.size() && m_def.tabs[tab].pick != Pick::None)
            pick(m_def.tabs[tab]);
        return Level::Notify;
    }
    return ProcedureController::OnAccepted();
}

void ListProcedure::pick(const ListTab &tab)
{
    window().updateFromWindow();
    const bool order = tab.pick == Pick::Order;
    const int response = app().call(order ? "Selectauftrag" : "Selectkunde", Request::Select);
    if (tab.rangeOnOrder || tab.rangeOnCustomer) {
        // The range follows the order or customer now in the buffer: the page is read anew.
        m_browse.LISTQUEUE.clear();
        Reset(1);
        return;
    }
    if (response == Response::Completed) {
        const FieldValue chosen = order ? records()[FileId::auftrag].value(AUF::FID.index)
                                        : records()[FileId::kunde].value(KUN::KID.index);
        m_browse.ResetToLocator(chosen);
        m_browse.ResetQueue(BrowseManager::FromPosition);
    }
    Reset(0);
}

void ListProcedure::defineFilters(FormBuilder &form)
{
    if (m_def.filters.empty())
        return;
    ProcWindow &window = form.window();
    auto *row = new QWidget(window.content());
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < m_def.filters.size(); ++i) {
        const ListFilter &filter = m_def.filters[i];
        const int control = kFirstFilter + static_cast<int>(i);
        layout->addWidget(new QLabel(shown(filter.label), row));
        if (filter.kind == ListFilter::Kind::Choice) {
            auto *choices = new QComboBox(row);
            choices->addItem(u"alle"_s);
            for (const std::string &choice : filter.choices)
                choices->addItem(shown(choice));
            layout->addWidget(choices);
            window.addControl(control, choices, shown(filter.label));
        } else {
            auto *date = new QLineEdit(row);
            date->setPlaceholderText(u"TT.MM.JJJJ"_s);
            date->setMaximumWidth(100);
            layout->addWidget(date);
            window.addControl(control, date, shown(filter.label));
        }
    }
    layout->addStretch(1);
    form.rows()->addRow(row);
}

void ListProcedure::applyFilters()
{
    ProcWindow &window = *procWindow();
    std::vector<std::string> values;
    for (std::size_t i = 0; i < m_def.filters.size(); ++i) {
        QWidget *control = window.control(kFirstFilter + static_cast<int>(i));
        if (auto *choices = qobject_cast<QComboBox *>(control))
            values.push_back(choices->currentIndex() <= 0 ? std::string()
                                                          : m_def.filters[i].choices.at(std::size_t(
                                                              choices->currentIndex() - 1)));
        else if (auto *date = qobject_cast<QLineEdit *>(control))
            values.push_back(date->text().toStdString());
        else
            values.emplace_back();
    }
    std::vector<std::string> unreadable;
    const std::string text = withCondition(listFilterText(m_def, values, &unreadable));
    if (!unreadable.empty() || !m_view->setFilter(text).empty())
        store().errors().presenter().beep();
    // The page is read anew through the filter, from the start of the order.
    m_browse.LISTQUEUE.clear();
    Reset(1);
}

std::string ListProcedure::withCondition(const std::string &filters) const
{
    if (m_def.condition.empty())
        return filters;
    return filters.empty() ? m_def.condition : "(" + m_def.condition + ") AND (" + filters + ")";
}

bool ListProcedure::takeGuard()
{
    if (m_guard.take())
        return true;
    MessagePresenter &presenter = store().errors().presenter();
    presenter.beep(150, 16);
    presenter.show(
        kGuardTitle, kGuardText, MessageIcon::Warning, MessageButton::Ok, MessageButton::Ok);
    return false;
}

int ListProcedure::OnWindowEvent()
{
    if (event().kind == EventKind::OpenWindow && m_def.guarded && !m_guardChecked) {
        m_guardChecked = true;
        if (!takeGuard())
            return Level::Fatal;
    }
    return ProcedureController::OnWindowEvent();
}

void runList(AppContext &app, const ListDef &def)
{
    ListProcedure list(app, def);
    app.LastResponse = list.Run();
}
