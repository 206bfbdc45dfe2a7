#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class StoreContext;

// Where "Daten kopieren …" copies the present data to: another folder, or a database server by
// its connection text; a password for that server (this copy only, never written); and whether
// a target that holds data may be overwritten.
class CopyDataDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CopyDataDialog(QWidget *parent = nullptr);

    // The target as `tessaro --copy-data` takes it: a folder, or a connection text.
    std::string target() const;
    std::string password() const;
    bool overwrite() const;

    QComboBox *kindBox() const { return m_kind; }
    QLineEdit *targetEdit() const { return m_target; }
    QLineEdit *passwordEdit() const { return m_password; }
    QCheckBox *overwriteBox() const { return m_overwrite; }

private:
    void kindChanged();

    QComboBox *m_kind = nullptr;
    QLineEdit *m_target = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_overwrite = nullptr;
};

// The menu's "Daten kopieren …": asks for the target and copies the store's data there,
// telling the outcome (per file records and checksum, or what went wrong) in German.
void askAndCopyData(StoreContext &store);
