#pragma once

#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "framework/recordsource.h"
#include "framework/report/pagequeue.h"
#include "store/storecontext.h"
#include "support/guiharness.h"
#include "support/scriptedpresenter.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

// The record store on an empty folder (its morva.INI with it), the procedures offscreen and
// the application context; procedures still waiting are unwound before the store goes.
struct PreviewFixture
{
    PreviewFixture()
        : store(std::make_unique<StoreContext>(folder.path(), startUpMessages))
    {
        store->errors().setPresenter(gui.messages());
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
    }
    ~PreviewFixture() { gui.threads().endAll(); }

    TempFolder folder;
    ScriptedPresenter startUpMessages;
    GuiHarness gui;
    std::unique_ptr<StoreContext> store;
    std::unique_ptr<AppContext> app;
};

// `count` records to walk; the current one is numbered from 1.
class VectorSource : public RecordSource
{
public:
    explicit VectorSource(int count)
        : m_count(count)
    {}
    bool first() override
    {
        m_at = 0;
        return m_count > 0;
    }
    bool next() override { return ++m_at < m_count; }
    int percent() const override { return m_count ? m_at * 100 / m_count : 0; }
    int current() const { return m_at + 1; }

private:
    int m_count;
    int m_at = 0;
};

// A page that says "Seite n" near its top.
inline report::PageContent numberedPage(int n)
{
    report::PageContent page;
    report::TextItem text;
    text.x = 20;
    text.y = 30;
    text.text = QStringLiteral("Seite %1").arg(n);
    page.items.push_back(text);
    return page;
}

inline void fillQueue(report::PageQueue &queue, int pages)
{
    for (int n = 1; n <= pages; ++n)
        ASSERT_TRUE(queue.append(numberedPage(n)));
}

// The visible dialog with this title, as the user sees it on the screen.
inline QDialog *openDialog(const QString &title)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(w);
        if (dialog && dialog->isVisible() && dialog->windowTitle() == title)
            return dialog;
    }
    return nullptr;
}

inline void click(GuiHarness &gui, QDialog *dialog, const QString &button)
{
    auto *b = dialog ? dialog->findChild<QPushButton *>(button) : nullptr;
    ASSERT_NE(b, nullptr) << button.toStdString();
    b->click();
    EXPECT_TRUE(gui.settle());
}

// The text of each page of a PDF, read with pdftotext.
inline QStringList pdfPages(const QString &pdfFile)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext is not installed (package poppler-utils)";
        return {};
    }
    QProcess process;
    process.start(tool, {pdfFile, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdfFile.toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString &page : pages)
        page = page.simplified();
    return pages;
}
