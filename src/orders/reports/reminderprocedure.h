#pragma once

class AppContext;

namespace orders {

// "Mahnungdrucken": the reminder to the customer of the open item in the thread's `posten`
// buffer, about all of that customer's open invoices, at the level one past the highest they
// have reached (the user confirms it first). Through the preview like the other documents;
// once printed or saved, the level is recorded with each invoice listed.
void runReminder(AppContext &app);

} // namespace orders
