// The printer's article table (command 107, one sub-command letter each)
// and its operators.
#include "commands/commands.h"
#include "commands/data_field.h"
#include "commands/send.h"

namespace commands {

namespace {

// Tax groups are the Windows-1251 capitals А..Д.
bool IsTaxLetter(char letter) {
    const auto byte = static_cast<unsigned char>(letter);
    return byte >= 0xC0 && byte <= 0xC4;
}

}  // namespace

int CmdArticleProgram(Completion completion, int tag, char taxLetter, int article, int group,
                      double price, const char* password, const char* name) {
    if (article <= 0) return kRejected;
    if (!IsTaxLetter(taxLetter)) return kRejectedTaxLetter;
    if (group < 0 || group > 99) return kRejectedGroup;
    if (!AllFinite(price) || !(price > 0)) return kRejectedPrice;
    return DataField()
        .Format("P%c%d,%d,", taxLetter, article, group)
        .AppendAmount(price)
        .Format(",%s,%s", TextOf(password), TextOf(name))
        .Send(completion, tag, kArticles);
}

int CmdArticleDelete(Completion completion, int tag, int article, const char* password) {
    if (article < 0) return kRejected;
    DataField field;
    if (article == 0)
        field.Format("DA,%s", TextOf(password));
    else
        field.Format("D%d,%s", article, TextOf(password));
    return field.Send(completion, tag, kArticles);
}

int CmdArticlePrice(Completion completion, int tag, int article, double price,
                    const char* password) {
    if (article <= 0) return kRejected;
    if (!AllFinite(price)) return kRejected;
    return DataField()
        .Format("C%d,", article)
        .AppendAmount(price)
        .Format(",%s", TextOf(password))
        .Send(completion, tag, kArticles);
}

int CmdArticleRead(Completion completion, int tag, int article) {
    if (article < 0) return kRejected;
    return DataField().Format("R%d", article).Send(completion, tag, kArticles);
}

int CmdArticleFirst(Completion completion, int tag) {
    return SendData(completion, tag, kArticles, "F");
}

int CmdArticleNext(Completion completion, int tag) {
    return SendData(completion, tag, kArticles, "N");
}

int CmdSetOperatorPassword(Completion completion, int tag, int operatorNumber,
                           const char* oldPassword, const char* newPassword) {
    return DataField()
        .Format("%d,%s,%s", operatorNumber, TextOf(oldPassword), TextOf(newPassword))
        .Send(completion, tag, kSetOperatorPassword);
}

int CmdSetOperatorName(Completion completion, int tag, int operatorNumber, const char* password,
                       const char* name) {
    return DataField()
        .Format("%d,%s,%s", operatorNumber, TextOf(password), TextOf(name))
        .Send(completion, tag, kSetOperatorName);
}

int CmdClearOperatorPasswords(Completion completion, int tag, int operatorNumber,
                              const char* adminPassword) {
    if (operatorNumber < 1 || operatorNumber > 15) return kRejected;
    return DataField()
        .Format("%d,%s", operatorNumber, TextOf(adminPassword))
        .Send(completion, tag, kClearOperatorPasswords);
}

}  // namespace commands
