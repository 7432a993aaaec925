// X and Z reports, periodic and article reports, electronic journal.
#include "commands/commands.h"
#include "commands/data_field.h"
#include "commands/send.h"

namespace commands {

namespace {

int ReportByNumber(Completion completion, int tag, int commandCode, const char* password,
                   int first, int last) {
    return DataField()
        .Format("%s,%04d,%04d", TextOf(password), first, last)
        .Send(completion, tag, commandCode);
}

}  // namespace

int CmdDayReport(Completion completion, int tag, const char* password, char report) {
    return DataField().Format("%s,%c", TextOf(password), report).Send(completion, tag,
                                                                       kDayReport);
}

int CmdFullReportByNumber(Completion completion, int tag, const char* password, int first,
                          int last) {
    return ReportByNumber(completion, tag, kFullReportByNumber, password, first, last);
}

int CmdShortReportByNumber(Completion completion, int tag, const char* password, int first,
                           int last) {
    return ReportByNumber(completion, tag, kShortReportByNumber, password, first, last);
}

int CmdFullReportByDate(Completion completion, int tag, const char* password,
                        const char* firstDate, const char* lastDate) {
    return DataField()
        .Format("%s,%6s,%6s", TextOf(password), TextOf(firstDate), TextOf(lastDate))
        .Send(completion, tag, kFullReportByDate);
}

int CmdShortReportByDate(Completion completion, int tag, const char* password,
                         const char* firstDate, const char* lastDate) {
    return DataField()
        .Format("%s,%s,%s", TextOf(password), TextOf(firstDate), TextOf(lastDate))
        .Send(completion, tag, kShortReportByDate);
}

int CmdArticlesReport(Completion completion, int tag, const char* password, char report) {
    if (report != 'S' && report != 'P' && report != 'G') return kRejected;
    return DataField().Format("%s,%c", TextOf(password), report).Send(completion, tag,
                                                                       kArticlesReport);
}

int CmdJournalCopy(Completion completion, int tag, int number) {
    return DataField().Format("%i", number).Send(completion, tag, kJournalCopy);
}

int CmdJournalCopies(Completion completion, int tag, int first, int second) {
    return DataField().Format("%i,%i", first, second).Send(completion, tag, kJournalCopies);
}

int CmdJournalTaxReport(Completion completion, int tag, int number) {
    return DataField().Format("%i", number).Send(completion, tag, kJournalTaxReport);
}

}  // namespace commands
