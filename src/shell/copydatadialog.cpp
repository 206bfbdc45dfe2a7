#include "shell/copydatadialog.h"

#include "shell/copycommand.h"

#include "framework/dialogs.h"
#include "store/copydata.h"
#include "store/databasesettings.h"
#include "store/enginefactory.h"
#include "store/storecontext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

CopyDataDialog::CopyDataDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(u"Daten kopieren"_s);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(u"Kopiert alle Dateien der Daten, mit denen das Programm gerade "
                            u"arbeitet, an einen anderen Ort. Danach werden auf beiden Seiten "
                            u"die Datensätze gezählt und Prüfsummen verglichen."_s,
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    m_kind = new QComboBox(this);
    m_kind->addItem(u"in einen Ordner (SQLite)"_s);
    m_kind->addItem(u"auf einen PostgreSQL-Server"_s);
    m_kind->setAccessibleName(u"Ziel ist"_s);
    form->addRow(u"Ziel ist"_s, m_kind);
    m_target = new QLineEdit(this);
    m_target->setAccessibleName(u"Ziel"_s);
    m_target->setMinimumWidth(420);
    form->addRow(u"Ziel"_s, m_target);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setAccessibleName(u"Kennwort"_s);
    form->addRow(u"Kennwort"_s, m_password);
    m_overwrite = new QCheckBox(u"Daten am Ziel überschreiben"_s, this);
    form->addRow(QString(), m_overwrite);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"Kopieren"_s);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &CopyDataDialog::kindChanged);
    kindChanged();
}

void CopyDataDialog::kindChanged()
{
    const bool server = m_kind->currentIndex() == 1;
    m_target->setPlaceholderText(server ? u"host=… port=5432 dbname=… user=…"_s
                                        : u"Ordner, z. B. /home/druck/daten-neu"_s);
    m_password->setEnabled(server);
}

std::string CopyDataDialog::target() const
{
    return m_target->text().trimmed().toStdString();
}

std::string CopyDataDialog::password() const
{
    return m_password->text().toStdString();
}

bool CopyDataDialog::overwrite() const
{
    return m_overwrite->isChecked();
}

void askAndCopyData(StoreContext &store)
{
    OwnedDialog<CopyDataDialog> owned;
    owned.dialog = new CopyDataDialog(dialogParent());
    if (awaitDialog(*owned.dialog) != QDialog::Accepted || owned.dialog->target().empty())
        return;
    const bool server = owned.dialog->kindBox()->currentIndex() == 1;
    const std::string password = owned.dialog->password();
    MessagePresenter &presenter = store.errors().presenter();
    auto tell = [&presenter, &password](const std::string &text, MessageIcon icon) {
        presenter.show("Daten kopieren",
                       withoutSecret(text, password),
                       icon,
                       MessageButton::Ok,
                       MessageButton::Ok);
    };
    // A folder's name may hold a "=", which would make it read as a connection text.
    DataLocation target;
    if (server) {
        target = dataLocationFor(owned.dialog->target());
        if (target.kind != DataLocation::Kind::Server) {
            tell("Die Verbindung ist nicht lesbar.\n\n" + target.problem, MessageIcon::Error);
            return;
        }
        target.password = password;
    } else {
        target = DataLocation{std::filesystem::path(owned.dialog->target())};
        std::error_code ignored;
        std::filesystem::create_directories(target.folder, ignored);
    }
    if (samePlace(target, store.location())) {
        tell("Quelle und Ziel sind derselbe Ort.", MessageIcon::Error);
        return;
    }
    const auto engine = makeEngine(target);
    if (const Engine::Reach reach = engine->reach(); reach != Engine::Reach::Ok) {
        tell(unreachableText(reach) + "\n\n" + engine->status().engineMessage, MessageIcon::Error);
        return;
    }
    CopyResult result;
    {
        const BusyCursor busy;
        result = copyData(store.engine(), *engine, owned.dialog->overwrite());
    }
    tell(result.ok ? "Die Daten sind kopiert.\n\n" + result.report
                   : "Die Daten sind nicht kopiert.\n\n" + result.report,
         result.ok ? MessageIcon::Information : MessageIcon::Error);
}
