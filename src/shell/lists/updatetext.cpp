#include "shell/lists/updatetext.h"

#include "base/text.h"
#include "framework/formbuilder.h"
#include "framework/keycodes.h"
#include "framework/procwindow.h"
#include "framework/radiogroup.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct TextKind
{
    const char *code;
    const char *name;
    const char *use;
};

constexpr TextKind kKinds[] = {
    {"EL", "Erläuterungstext", "gilt für Angebot als Zusatztext"},
    {"ZA", "Zahlungsart / Skonto", "gilt für Rechnung: Kto / BLZ etc."},
    {"IN", "Informationstext / Werbung", "gilt für Angebot/ Liefersch./ Rechnung"},
};

const char *const kPaymentTerms = "ZA";

} // namespace

Updatetext::Updatetext(AppContext &app)
    : ProcedureController(app, "Updatetext", QStringLiteral(" STAMMDATEN - TEXT"))
{
    setPrimary(FileId::text, kOk, kCancel);
    setHistoryKey(KeyCode::CtrlQuote);
}

void Updatetext::registerParts()
{
    recallField(kDescription, TEX::TERL);
    recallField(kText1, TEX::TX1);
    recallField(kText2, TEX::TX2);
    recallField(kText3, TEX::TX3);
    recallField(kDiscount, TEX::SKOPR);
    recallField(kDiscountDays, TEX::SKTAGE);
    recallField(kDaysToPay, TEX::ZAZIEL);
}

void Updatetext::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    form.display(kNumber, QStringLiteral("interne Nummer"), TEX::IDTEXT, QStringLiteral("@n_9"));

    auto *kinds = new QWidget(window.content());
    auto *row = new QHBoxLayout(kinds);
    row->setContentsMargins(0, 0, 0, 0);
    auto *group = new RadioGroup(QStringLiteral("Kennung"), kinds);
    auto *uses = new QVBoxLayout;
    for (const TextKind &kind : kKinds) {
        group->addOption(QString::fromUtf8(kind.name), std::string(kind.code));
        uses->addWidget(new QLabel(QString::fromUtf8(kind.use), kinds));
    }
    row->addWidget(group);
    row->addLayout(uses);
    form.rows()->addRow(kinds);
    window.addControl(kKind, group, QStringLiteral("Kennung"));
    window.bind(kKind, records()[FileId::text], TEX::TKEN);

    form.entry(kDescription, QStringLiteral("Kurzbeschreibung"), TEX::TERL, QStringLiteral("@s30"));
    form.entry(kText1, QStringLiteral("Textfeld 1"), TEX::TX1, QStringLiteral("@s70"));
    form.entry(kText2, QStringLiteral("Textfeld 2"), TEX::TX2, QStringLiteral("@s70"));
    form.entry(kText3, QStringLiteral("Textfeld 3"), TEX::TX3, QStringLiteral("@s70"));
    form.entry(kDiscount, QStringLiteral("Skonto in %"), TEX::SKOPR, QStringLiteral("@n_6.2"));
    form.window().setRange(kDiscount, 0, 100);
    form.entry(kDiscountDays, QStringLiteral("Skonto-Tage"), TEX::SKTAGE, QStringLiteral("@n_4"));
    form.entry(kDaysToPay, QStringLiteral("Zahlungsziel"), TEX::ZAZIEL, QStringLiteral("@n_4"));
    auto *hint = new QLabel(
        QStringLiteral("ist Skonto % = 0  wird Skonto-Zahlungsziel autom. auf 0 gesetzt !"),
        window.content());
    form.rows()->addRow(hint);
    window.addControl(kHint, hint);
    form.okCancel(kOk, kCancel);
}

void Updatetext::setUpWindow()
{
    FIRSTFIELD = kDescription;
    if (REQUEST == Request::Insert)
        procWindow()->setTitle(QCoreApplication::translate("Form", "Adding a text Record"));
    else if (REQUEST == Request::Change)
        procWindow()->setTitle(QCoreApplication::translate("Form", "Changing a text Record"));
}

int Updatetext::OnAccepted()
{
    const int level = ProcedureController::OnAccepted();
    // No discount, no days for it.
    if (event().control == kDiscount && records().get(TEX::SKOPR) == 0) {
        records().set(TEX::SKTAGE, 0.0);
        window().redisplay();
    }
    return level;
}

int Updatetext::refuse(const char *text, int control)
{
    MessagePresenter &presenter = store().errors().presenter();
    presenter.beep();
    presenter.show("ACHTUNG", text, MessageIcon::Warning, MessageButton::Ok, MessageButton::Ok);
    window().redisplay();
    window().select(control);
    return Level::Notify;
}

int Updatetext::OnCompleted()
{
    if (REQUEST == Request::Insert || REQUEST == Request::Change) {
        Records &r = records();
        if (rt::isBlank(r.get(TEX::TERL)))
            return refuse("Bitte geben Sie eine eindeutige Text-Beschreibung ein!", kDescription);
        if (r.get(TEX::SKOPR) == 0)
            r.set(TEX::SKTAGE, 0.0);
        if (rt::trimmed(r.get(TEX::TKEN)) != kPaymentTerms) {
            // Only payment terms carry a discount and days to pay.
            r.set(TEX::SKOPR, 0.0);
            r.set(TEX::SKTAGE, 0.0);
            r.set(TEX::ZAZIEL, 0.0);
        } else if (r.get(TEX::ZAZIEL) == 0) {
            return refuse("Bitte geben die Anzahl der Tage |für das Zahlungsziel ein!", kDaysToPay);
        }
        window().redisplay();
    }
    return ProcedureController::OnCompleted();
}
