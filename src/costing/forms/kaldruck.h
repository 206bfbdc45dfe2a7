#pragma once

#include "costing/forms/kaldrucktotals.h"
#include "framework/browse/browsemanager.h"
#include "framework/filedrop.h"
#include "framework/procedurecontroller.h"

#include <memory>
#include <string>
#include <string_view>

class QFormLayout;
class QWidget;
class SheetLayoutView;

// Control numbers of the print calculation form.
namespace KaldruckControl {
// Page "KALKULATION".
inline constexpr int Description = 1;
inline constexpr int Machines = 2;
inline constexpr int TotalRun = 3;
inline constexpr int Sorts = 4;
inline constexpr int RunPerSort = 5;
inline constexpr int Colours = 6;
inline constexpr int WithBlack = 7;
inline constexpr int BackSide = 8;
inline constexpr int LayoutLength = 9;
inline constexpr int Calculate = 10;
inline constexpr int CopiesPerSheet = 11;
inline constexpr int Prints = 12;
inline constexpr int PrintsBothSides = 13;
inline constexpr int Sheets = 14;
inline constexpr int PrintPrice = 15;
inline constexpr int ColourChangePrice = 16;
inline constexpr int PaperPrice = 17;
inline constexpr int Typesetting = 18;
inline constexpr int DisplayTotal = 19;
inline constexpr int PrintTime = 20;
inline constexpr int LayoutWidth = 21;
inline constexpr int MachineLength = 22;
inline constexpr int MachineWidth = 23;
inline constexpr int MachineColours = 24;
inline constexpr int MachineSpeed = 25;
inline constexpr int MachinePrintPrice = 26;
inline constexpr int MachineColourChangePrice = 27;
inline constexpr int MachineColourChangeTime = 28;
inline constexpr int MachinePlateTime = 29;
inline constexpr int SheetPicture = 30;
// Page "NUTZEN": row k (1 to 6) has sheets, sorts and copies at RowFirst + 3 (k - 1).
inline constexpr int RowFirst = 40;
inline constexpr int RowSheetTotal = 60;
// Page "EINFACHE / SCHNELL".
inline constexpr int SimpleDescription = 70;
inline constexpr int SimpleTotalRun = 71;
inline constexpr int SimpleSorts = 72;
inline constexpr int SimpleRunPerSort = 73;
inline constexpr int SimpleColours = 74;
inline constexpr int SimplePrice = 75;
inline constexpr int SimplePaperPrice = 76;
inline constexpr int SimpleTypesetting = 77;
inline constexpr int SimpleSheets = 78;
// Page "PAPIERSORTE / - MENGE".
inline constexpr int PaperPick = 80;
inline constexpr int PaperName = 81;
inline constexpr int PaperUnitPrice = 82;
inline constexpr int PaperUnit = 83;
inline constexpr int PaperPiecesPerUnit = 84;
inline constexpr int PaperFormat = 85;
inline constexpr int PaperPieces = 86;
inline constexpr int PaperUnits = 87;
inline constexpr int PaperTotal = 88;
inline constexpr int PaperRefresh = 89;
// Page "SATZ-/ VERARBEITUNG".
inline constexpr int TypesettingList = 95;
inline constexpr int TypesettingNew = 96;
inline constexpr int TypesettingChange = 97;
inline constexpr int TypesettingDelete = 98;
inline constexpr int TypesettingTotal = 99;
// The sheet, its pages, the hint and the mode selector.
inline constexpr int Pages = 100;
inline constexpr int CalculationPage = 101;
inline constexpr int DistributionPage = 102;
inline constexpr int SimplePage = 103;
inline constexpr int PaperPage = 104;
inline constexpr int TypesettingPage = 105;
inline constexpr int Hint = 110;
inline constexpr int Mode = 120;
inline constexpr int Ok = 900;
inline constexpr int Cancel = 901;
} // namespace KaldruckControl

// The update form of a print calculation: the machine calculation and the simple and quick
// ones, the sheet distribution, the calculation's paper and its typesetting lines, and the
// calculation's share of its order's totals.
class Updatekaldruck : public ProcedureController
{
public:
    explicit Updatekaldruck(AppContext &app);
    ~Updatekaldruck() override;

    void FillNewRecord() override;
    int OnEvent() override;
    int OnWindowEvent() override;
    int OnAccepted() override;
    int OnSelected() override;
    int OnNewSelection() override;
    int OnFieldEvent() override;
    int RunProcedure(int number, int request) override;
    int Shutdown() override;

protected:
    void registerParts() override;
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    // Layout of the pages (kaldruckpages.cpp).
    void defineCalculationPage(FormBuilder &form, QWidget *page);
    void defineDistributionPage(FormBuilder &form, QWidget *page);
    void defineSimplePage(FormBuilder &form, QWidget *page);
    void definePaperPage(FormBuilder &form, QWidget *page);
    void defineTypesettingPage(FormBuilder &form, QWidget *page);

    RecordBuffer &calculation() const;
    double &typesettingSum() const;
    int mode() const;
    void applyMode(int mode);
    // The window's values of the controls in use into the record, then everything shown anew.
    void takeWindow();
    void showTotals();
    // Only the total, after an entry: the rest of the window keeps what is typed in it.
    void showTotal();
    int machineCalculation();
    int acceptChecks();
    int paperPiecesEvent();
    void say(std::string_view title, std::string_view text, MessageIcon icon, bool beep);
    std::string orderShortDescription();
    void deleteTypesettingLines(const std::string &calculationId);

    CalculationContribution m_contribution;
    std::string m_newId; // of a new calculation until it is written
    double m_displayTotal = 0;
    QFormLayout *m_simpleRows = nullptr;
    SheetLayoutView *m_picture = nullptr;
    std::unique_ptr<View> m_machineView;
    std::unique_ptr<View> m_typesettingView;
    BrowseManager m_machines;
    BrowseManager m_typesetting;
    std::unique_ptr<FileDrop> m_papers;
};
