#pragma once

#include "framework/procedurecontroller.h"
#include "orders/core/linecontributions.h"
#include "store/recordbuffer.h"

#include <optional>
#include <string>
#include <string_view>

// What a line form needs to know of its line: its file, the id it primes, the order it
// belongs to, its total and the running sum that total feeds. A typesetting line has no kind
// of its own: its total feeds the open calculation's typesetting sum.
struct LineRole
{
    FileId file;
    StringField id;
    std::string_view letter;
    StringField order;
    RealField total;
    std::optional<orders::LineKind> kind;
};

// An update form for one priced line of an order. It keeps the running sums right: the
// line's stored total is taken out of its sum when the form opens, the new total put in on
// OK — once, however often OK is pressed after a refused write — and the sum is as before
// when the form is left without saving. A delete request deletes the line at once, without
// asking and without showing the form.
//
// The working totals belong to the order whose form is open on this thread. A line of
// another order, or one reached from its own list with no order form open, goes into the
// stored totals of its own order once it has been written or deleted; a typesetting line
// reached without its calculation's form goes into the stored calculation and its order.
class LineForm : public ProcedureController
{
public:
    static constexpr int kOk = 90;
    static constexpr int kCancel = 91;

    LineForm(AppContext &app, std::string name, QString caption, const LineRole &role);
    // The caption of an insert or of a change, by the request the form is called with.
    static QString caption(const AppContext &app, const QString &insert, const QString &change);

    int Init() override;
    int Run() override;
    int PrepareRequest() override;
    int OnCompleted() override;
    void FillNewRecord() override;

protected:
    void registerParts() override;
    RecordBuffer &line() const { return records()[m_role.file]; }
    // The line's new total enters its running sum. Called on OK, after the total has been
    // computed from the window's values.
    void countLine();
    // Takes the window's values, computes the line's total and counts it; then the window
    // manager goes on with OK.
    int acceptLine();
    // Computes the total from the line's values and shows the form again.
    virtual void recompute() = 0;

private:
    bool feedsWorkingTotals() const;
    double &typesettingSum() const;
    void takeOut();
    void putBack();
    void storeInOwnOrder(const RecordBuffer &after);
    // The line's change goes into the stored totals of its order (or calculation).
    void storeElsewhere(const RecordBuffer &before, const RecordBuffer &after);

    LineRole m_role;
    bool m_working = false; // the running sums are the open form's
    bool m_takenOut = false;
    bool m_ownOrderDone = false;
    std::string m_orderId;
    RecordBuffer m_opened;           // the line as it was when the form opened
    orders::LineTakeOut m_before;    // the sums before the form opened
    orders::LineTakeOut m_afterOpen; // the sums with the old total taken out
    double m_typesettingBefore = 0;
    double m_typesettingAfterOpen = 0;
};
