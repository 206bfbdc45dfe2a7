#pragma once

#include "framework/report/listreport.h"
#include "store/layout.h"

#include <span>
#include <string_view>
#include <vector>

class RecordBuffer;

// The list reports of the record files: one row per report procedure, each printing its file
// in the order of one key with the generic list layout.
namespace shell {

struct ListReportColumn
{
    const char *heading; // the lower-case field name; printed in German
    std::uint16_t field; // the field of the report's file printed under it
};

struct ListReportDef
{
    const char *procedure; // "PrintPAP:Keypbez"
    const char *title;     // "Print the papier File by PAP:Keypbez", printed in German
    KeyRef key;            // the walk's order; its file is the report's file
    std::span<const ListReportColumn> columns;
};

std::span<const ListReportDef> listReports();
// nullptr when there is no such procedure.
const ListReportDef *findListReport(std::string_view procedure);

// The columns of the generic layout for one report. Each reads its field from `record` at
// the moment the detail prints, so the walk only has to fetch each record into it. None
// when `record` is not a buffer of the report's file.
std::vector<report::ListColumn> listColumns(const ListReportDef &def, const RecordBuffer &record);

// A field's value as the list reports print it: whole numbers without decimals, amounts with
// two places (four where the value needs them), dates as dd.mm.yyyy.
QString listText(const RecordBuffer &record, int field);

} // namespace shell
