#pragma once

#include "store/databasesettings.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>

class QComboBox;
class StoreContext;
class QLabel;
class QLineEdit;
class QPushButton;

// Where the data lives, set up by the shop: the working folder or a database server with its
// address, database, user and encryption. A password typed here serves "Verbindung testen"
// only and is never written; the program asks for it at start when the server wants one.
class DatabaseDialog : public QDialog
{
    Q_OBJECT
public:
    using Checker = std::function<ConnectionCheck(const DatabaseSettings &, const std::string &)>;

    explicit DatabaseDialog(const DatabaseSettings &settings,
                            QWidget *parent = nullptr,
                            Checker checker = checkConnection);

    DatabaseSettings settings() const;

    // The controls, for the tests that fill them in.
    QComboBox *engineBox() const { return m_engine; }
    QLineEdit *hostEdit() const { return m_host; }
    QLineEdit *portEdit() const { return m_port; }
    QLineEdit *databaseEdit() const { return m_database; }
    QLineEdit *userEdit() const { return m_user; }
    QComboBox *sslBox() const { return m_ssl; }
    QLineEdit *passwordEdit() const { return m_password; }
    QPushButton *testButton() const { return m_test; }
    QLabel *resultLabel() const { return m_result; }

private:
    void engineChanged();
    void testConnection();

    Checker m_checker;
    QComboBox *m_engine = nullptr;
    QLineEdit *m_host = nullptr;
    QLineEdit *m_port = nullptr;
    QLineEdit *m_database = nullptr;
    QLineEdit *m_user = nullptr;
    QComboBox *m_ssl = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_test = nullptr;
    QLabel *m_result = nullptr;
};

// The menu's "Datenbank …": the dialog for the settings file of the store's folder, then what
// became of the change.
void changeDatabaseSettings(StoreContext &store);

// Asks for the server's password at start; empty when the user cancels.
std::string askDatabasePassword(const std::string &user, const std::string &database);
