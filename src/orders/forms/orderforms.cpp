#include "orders/forms/orderforms.h"

#include "framework/appcontext.h"
#include "orders/forms/companyform.h"
#include "orders/forms/customerform.h"
#include "orders/forms/orderform.h"
#include "orders/forms/paymentform.h"

namespace {

template<class Form, auto kind>
void runForm(AppContext &app)
{
    Form form(app, kind);
    app.LastResponse = form.Run();
}

} // namespace

void registerOrderForms(ProcedureRegistry &registry)
{
    registry.add("Updateauftrag", runForm<OrderForm, OrderForm::Kind::Main>);
    registry.add("Upddruauftrag", runForm<OrderForm, OrderForm::Kind::Detailed>);
    registry.add("Updatekunde", runForm<CustomerForm, CustomerForm::Kind::Main>);
    registry.add("Upddrukunde", runForm<CustomerForm, CustomerForm::Kind::DetailPrint>);
    registry.add("Updatefirma", [](AppContext &app) {
        CompanyForm form(app);
        app.LastResponse = form.Run();
    });
    registry.add("Firmendaten", runCompanyForm);
    registry.add("Zahlungerfassen", runPaymentEntry);
}
