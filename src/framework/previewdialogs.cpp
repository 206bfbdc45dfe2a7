#include "framework/previewdialogs.h"

#include "framework/core/pagegrid.h"
#include "framework/core/pagelist.h"
#include "framework/dialogs.h"
#include "store/inimanager.h"

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QPushButton *addButton(QBoxLayout *row, const QString &text, const QString &name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

QSpinBox *spinBox(const QString &name, int value, int maximum)
{
    auto *spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setAccessibleName(name);
    spin->setRange(1, std::max(1, maximum));
    spin->setValue(value);
    return spin;
}

// The display window: its OK stays without effect while the grid is larger than the report.
class DisplayDialog : public QDialog
{
public:
    DisplayDialog(int across, int down, int pageCount, QWidget *parent)
        : QDialog(parent)
        , m_pageCount(pageCount)
    {
        setWindowTitle(QCoreApplication::translate("Preview", "Change the Report Display"));
        auto *column = new QVBoxLayout(this);
        auto *group = new QGroupBox(QCoreApplication::translate("Preview", "Pages Displayed"));
        auto *rows = new QFormLayout(group);
        const QString acrossText = QCoreApplication::translate("Preview", "Across");
        const QString downText = QCoreApplication::translate("Preview", "Down");
        m_across = spinBox(acrossText, across, 99);
        m_down = spinBox(downText, down, 99);
        rows->addRow(acrossText, m_across);
        rows->addRow(downText, m_down);
        column->addWidget(group);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch(1);
        QPushButton *ok = addButton(buttons, u"OK"_s, u"OK"_s);
        ok->setDefault(true);
        column->addLayout(buttons);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }

    void accept() override
    {
        if (!PageGrid::displayAcceptable(m_across->value(), m_down->value(), m_pageCount)) {
            QApplication::beep();
            return;
        }
        QDialog::accept();
    }

    int across() const { return m_across->value(); }
    int down() const { return m_down->value(); }

private:
    int m_pageCount;
    QSpinBox *m_across;
    QSpinBox *m_down;
};

} // namespace

std::optional<int> askGoToPage(int currentPage, int pageCount)
{
    OwnedDialog<QDialog> owner;
    owner.dialog = new QDialog(dialogParent());
    QDialog *dialog = owner.dialog;
    dialog->setWindowTitle(u"Gehe zu einer Berichts-Seite"_s);
    auto *column = new QVBoxLayout(dialog);
    auto *rows = new QFormLayout;
    QSpinBox *page = spinBox(u"Seite"_s, currentPage, pageCount);
    rows->addRow(u"Seite:"_s, page);
    column->addLayout(rows);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *ok = addButton(buttons, u"OK"_s, u"OK"_s);
    ok->setDefault(true);
    QPushButton *cancel = addButton(buttons, u"Abbruch"_s, u"Abbruch"_s);
    column->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    if (awaitDialog(*dialog) != QDialog::Accepted)
        return std::nullopt;
    return page->value();
}

bool askReportDisplay(int &across, int &down, int pageCount)
{
    OwnedDialog<QDialog> owner;
    auto *dialog = new DisplayDialog(across, down, pageCount, dialogParent());
    owner.dialog = dialog;
    if (awaitDialog(*dialog) != QDialog::Accepted)
        return false;
    across = dialog->across();
    down = dialog->down();
    return true;
}

bool askPagesToPrint(std::string &pages, int pageCount, IniManager &ini)
{
    OwnedDialog<QDialog> owner;
    owner.dialog = new QDialog(dialogParent());
    QDialog *dialog = owner.dialog;
    dialog->setWindowTitle(u"Seitenauswahl für Druck"_s);
    auto *column = new QVBoxLayout(dialog);
    auto *rows = new QFormLayout;
    auto *entry = new QLineEdit(QString::fromStdString(pages));
    entry->setObjectName(u"Seiten für Druck"_s);
    entry->setAccessibleName(u"Seiten für Druck:"_s);
    entry->setMaxLength(int(PageList::MaxChars));
    auto *prompt = new QLabel(u"&Seiten für Druck:"_s);
    prompt->setBuddy(entry);
    rows->addRow(prompt, entry);
    column->addLayout(rows);
    auto *reason = new QLabel;
    reason->setObjectName(u"reason"_s);
    column->addWidget(reason);
    auto *buttons = new QHBoxLayout;
    QPushButton *reset = addButton(buttons, u"&Zurücksetzen"_s, u"Zurücksetzen"_s);
    buttons->addStretch(1);
    QPushButton *ok = addButton(buttons, u"&Ok"_s, u"Ok"_s);
    ok->setDefault(true);
    QPushButton *cancel = addButton(buttons, u"&Abbrechen"_s, u"Abbrechen"_s);
    column->addLayout(buttons);

    QObject::connect(reset, &QPushButton::clicked, dialog, [entry, pageCount] {
        entry->setText(QString::fromStdString(PageList::resetText(pageCount)));
    });
    // A list that names no page of the report is not accepted; the user sees why.
    QObject::connect(ok, &QPushButton::clicked, dialog, [=] {
        const PageListParse parsed = PageList::parse(entry->text().toStdString(), pageCount);
        if (!parsed.list) {
            reason->setText(QString::fromStdString(parsed.reason));
            QApplication::beep();
            return;
        }
        dialog->accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    if (awaitDialog(*dialog, ini, PreviewAskPagesSection) != QDialog::Accepted)
        return false;
    pages = entry->text().toStdString();
    return true;
}
