#pragma once

#include <QMdiSubWindow>

class QLineEdit;
class QTextBrowser;

// The program's short help: what it does, its menus and its keys, with a search line.
class HelpWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    void showContents();
    void showSearch();
    void showHowTo();

    QTextBrowser *browser() const { return m_browser; }
    QLineEdit *searchLine() const { return m_search; }
    // Finds the next place of `text`, from the top once the end is reached.
    bool find(const QString &text);

private:
    QTextBrowser *m_browser;
    QLineEdit *m_search;
};
