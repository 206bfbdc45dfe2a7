#pragma once

#include "framework/procedurecontroller.h"

// The catalogues the costing draws on, one update form each: machines, additional work,
// typesetting and processing, transport kinds and suppliers. Their OK checks stop at the
// first that fails, put the focus on its field and leave the form open; a factor of 0 is
// not refused but set to 1.
class CatalogueForm : public ProcedureController
{
public:
    static constexpr int kOk = 90;
    static constexpr int kCancel = 91;

protected:
    CatalogueForm(AppContext &app,
                  std::string name,
                  FileId file,
                  const QString &insertCaption,
                  const QString &changeCaption);

    // The check's message; the focus goes to `focus` and the OK is abandoned.
    int refuse(const char *text, int focus);
    // The check's message, after which the OK goes on.
    void notice(const char *text);
};

class Updatemaschin : public CatalogueForm
{
public:
    explicit Updatemaschin(AppContext &app);

    static constexpr int kName = 1;
    static constexpr int kFormat = 2;
    static constexpr int kLength = 3;
    static constexpr int kWidth = 4;
    static constexpr int kColours = 5;
    static constexpr int kFastest = 6;
    static constexpr int kSlowest = 7;
    static constexpr int kSetUp = 8;
    static constexpr int kPricePerPrint = 9;
    static constexpr int kColourChangePrice = 10;
    static constexpr int kColourChangeMinutes = 11;
    static constexpr int kId = 20;
    static constexpr int kAverage = 21;
    static constexpr int kFactorMax = 22;
    static constexpr int kFactorMean = 23;
    static constexpr int kFactorMin = 24;

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnFieldEvent() override;

protected:
    void defineWindow(FormBuilder &form) override;
};

class UpdatearbeitA : public CatalogueForm
{
public:
    explicit UpdatearbeitA(AppContext &app);

    static constexpr int kDescription = 1;
    static constexpr int kPrice = 2;
    static constexpr int kUnit = 3;
    static constexpr int kMinutes = 4;
    static constexpr int kFactor = 5;
    static constexpr int kId = 20;

    void FillNewRecord() override;
    int OnAccepted() override;

protected:
    void defineWindow(FormBuilder &form) override;
};

class Updatesatz : public CatalogueForm
{
public:
    explicit Updatesatz(AppContext &app);

    static constexpr int kDescription = 1;
    static constexpr int kPrice = 2;
    static constexpr int kUnit = 3;
    static constexpr int kFactor = 4;
    static constexpr int kId = 20;

    void FillNewRecord() override;
    int OnAccepted() override;

protected:
    void defineWindow(FormBuilder &form) override;
};

class Updatetransport : public CatalogueForm
{
public:
    explicit Updatetransport(AppContext &app);

    static constexpr int kDescription = 1;
    static constexpr int kPrice = 2;
    static constexpr int kUnit = 3;
    static constexpr int kFactor = 4;

    void FillNewRecord() override;
    int OnAccepted() override;

protected:
    void defineWindow(FormBuilder &form) override;
};

class updatlief : public CatalogueForm
{
public:
    explicit updatlief(AppContext &app);

    static constexpr int kName = 1;
    static constexpr int kId = 20;

    void FillNewRecord() override;
    int OnAccepted() override;

protected:
    void defineWindow(FormBuilder &form) override;
};
