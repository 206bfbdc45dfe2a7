#pragma once

#include "framework/view/viewmanager.h"
#include "support/orderfamily.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A view manager as lists and reports derive it: ranges of kinds 1 and 3 and the record
// check are theirs to set.
class TestViewManager : public ViewManager
{
public:
    using ViewManager::SetFixedRange;
    using ViewManager::SetRangeBetween;

    int CheckRecord() override { return check ? check() : ViewManager::CheckRecord(); }

    std::function<int()> check;
};

// The record store on a temporary folder with one view manager over `file`, its whole
// relation family opened as a procedure opens it.
class ViewFixture : public ::testing::Test
{
protected:
    void useView(FileId file)
    {
        t.rk(file).Open();
        view = std::make_unique<View>(t.rk(file));
        ASSERT_EQ(manager.Init(*view, t.rk(file)), Level::Benign);
    }

    // Reads on in one direction and collects a text field of each record read.
    std::vector<std::string> readAll(StringField field, bool forward = true)
    {
        std::vector<std::string> values;
        while ((forward ? manager.Next() : manager.Previous()) == Level::Benign)
            values.push_back(t.records().get(field));
        return values;
    }

    std::vector<std::string> shownTitles() const { return t.presenter.titles(); }

    StoreFixture t;
    std::unique_ptr<View> view;
    TestViewManager manager;
};
