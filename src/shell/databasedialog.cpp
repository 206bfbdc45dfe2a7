#include "shell/databasedialog.h"

#include "framework/dialogs.h"
#include "store/storecontext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string toStd(const QLineEdit *edit)
{
    return edit->text().trimmed().toStdString();
}

struct SslMode
{
    const char *mode;
    const char16_t *text;
};

// The modes the client library knows, "prefer" first: encrypted where the server offers it.
constexpr SslMode kSslModes[] = {
    {"prefer", u"prefer – verschlüsselt, wenn der Server es anbietet"},
    {"require", u"require – nur verschlüsselt"},
    {"verify-ca", u"verify-ca – verschlüsselt, Zertifikat geprüft"},
    {"verify-full", u"verify-full – verschlüsselt, Zertifikat und Name geprüft"},
    {"allow", u"allow – unverschlüsselt, wenn der Server es zulässt"},
    {"disable", u"disable – nie verschlüsselt"},
};

} // namespace

DatabaseDialog::DatabaseDialog(const DatabaseSettings &settings, QWidget *parent, Checker checker)
    : QDialog(parent)
    , m_checker(std::move(checker))
{
    setWindowTitle(u"Datenbank"_s);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    m_engine = new QComboBox(this);
    m_engine->addItem(u"im Arbeitsordner (SQLite)"_s);
    m_engine->addItem(u"auf einem PostgreSQL-Server"_s);
    m_engine->setCurrentIndex(settings.kind == DatabaseSettings::Kind::Server ? 1 : 0);
    form->addRow(u"Daten liegen"_s, m_engine);

    auto entry = [this, form](const QString &label, const std::string &value) {
        auto *edit = new QLineEdit(fromStd(value), this);
        edit->setAccessibleName(label);
        form->addRow(label, edit);
        return edit;
    };
    m_host = entry(u"Server"_s, settings.host);
    m_host->setPlaceholderText(u"Name oder Adresse; leer: dieser Rechner"_s);
    m_port = entry(u"Port"_s, settings.port);
    m_port->setPlaceholderText(u"5432"_s);
    m_port->setValidator(new QIntValidator(1, 65535, m_port));
    m_database = entry(u"Datenbank"_s, settings.database);
    m_user = entry(u"Benutzer"_s, settings.user);

    m_ssl = new QComboBox(this);
    m_ssl->setAccessibleName(u"Verschlüsselung"_s);
    for (const SslMode &mode : kSslModes)
        m_ssl->addItem(QString::fromUtf16(mode.text), QString::fromLatin1(mode.mode));
    const int ssl = m_ssl->findData(fromStd(settings.sslmode));
    m_ssl->setCurrentIndex(ssl < 0 ? 0 : ssl);
    form->addRow(u"Verschlüsselung"_s, m_ssl);

    m_password = entry(u"Kennwort (nur zum Testen)"_s, {});
    m_password->setEchoMode(QLineEdit::Password);

    m_test = new QPushButton(u"Verbindung testen"_s, this);
    m_test->setAutoDefault(false);
    form->addRow(QString(), m_test);
    m_result = new QLabel(this);
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setMinimumWidth(420);
    form->addRow(QString(), m_result);

    auto *note
        = new QLabel(u"Das Kennwort wird nicht gespeichert: Es kommt aus der Kennwortdatei "
                     u"des Benutzers (.pgpass), oder das Programm fragt beim Start danach. "
                     u"Geänderte Einstellungen gelten ab dem nächsten Start des Programms."_s,
                     this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_test, &QPushButton::clicked, this, &DatabaseDialog::testConnection);
    connect(m_engine, &QComboBox::currentIndexChanged, this, &DatabaseDialog::engineChanged);
    engineChanged();
}

DatabaseSettings DatabaseDialog::settings() const
{
    DatabaseSettings settings;
    settings.kind = m_engine->currentIndex() == 1 ? DatabaseSettings::Kind::Server
                                                  : DatabaseSettings::Kind::Folder;
    settings.host = toStd(m_host);
    settings.port = toStd(m_port);
    settings.database = toStd(m_database);
    settings.user = toStd(m_user);
    settings.sslmode = m_ssl->currentData().toString().toStdString();
    return settings;
}

void DatabaseDialog::engineChanged()
{
    const bool server = m_engine->currentIndex() == 1;
    for (QWidget *w : {static_cast<QWidget *>(m_host),
                       static_cast<QWidget *>(m_port),
                       static_cast<QWidget *>(m_database),
                       static_cast<QWidget *>(m_user),
                       static_cast<QWidget *>(m_ssl),
                       static_cast<QWidget *>(m_password),
                       static_cast<QWidget *>(m_test)})
        w->setEnabled(server);
    m_result->clear();
}

void DatabaseDialog::testConnection()
{
    const BusyCursor busy;
    const ConnectionCheck check = m_checker(settings(), m_password->text().toStdString());
    m_result->setText(fromStd(check.text));
}

void changeDatabaseSettings(StoreContext &store)
{
    const std::filesystem::path &folder = store.location().folder;
    const DatabaseSettings before = DatabaseSettings::read(folder);
    OwnedDialog<DatabaseDialog> owned;
    owned.dialog = new DatabaseDialog(before, dialogParent());
    if (awaitDialog(*owned.dialog) != QDialog::Accepted)
        return;
    MessagePresenter &presenter = store.errors().presenter();
    const DatabaseSettings after = owned.dialog->settings();
    if (after.kind == before.kind && after.connectionText() == before.connectionText())
        return;
    if (!after.write(folder)) {
        presenter.show("Datenbank",
                       "Die Einstellungsdatei im Arbeitsordner kann nicht geschrieben werden; "
                       "die Einstellungen bleiben, wie sie waren.",
                       MessageIcon::Error,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return;
    }
    presenter.show("Datenbank",
                   "Die Einstellungen der Datenbank sind gespeichert. Sie gelten ab dem "
                   "nächsten Start des Programms.",
                   MessageIcon::Information,
                   MessageButton::Ok,
                   MessageButton::Ok);
}

std::string askDatabasePassword(const std::string &user, const std::string &database)
{
    OwnedDialog<QDialog> owned;
    owned.dialog = new QDialog(dialogParent());
    QDialog &dialog = *owned.dialog;
    dialog.setWindowTitle(u"Kennwort für die Datenbank"_s);
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QLabel(
        u"Der Datenbankserver verlangt ein Kennwort für den Benutzer "_s
            + fromStd(user.empty() ? std::string("(Standard)") : user) + u" und die Datenbank "_s
            + fromStd(database.empty() ? std::string("(Standard)") : database)
            + u". Es gilt, bis das Programm endet, und wird nicht gespeichert."_s,
        &dialog);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    password->setAccessibleName(u"Kennwort"_s);
    layout->addWidget(password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    password->setFocus();
    if (awaitDialog(dialog) != QDialog::Accepted)
        return {};
    return password->text().toStdString();
}
