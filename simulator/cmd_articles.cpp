// The article table (command 107 and its sub-commands) and the operators'
// names and passwords.
#include "simulator/commands.h"
#include "simulator/text.h"

namespace simulator {

namespace {

constexpr std::int64_t kMaxPrice = 9999999999;
constexpr std::size_t kMaxArticleName = 49;  // 24 + TAB + 24
constexpr std::size_t kMaxOperatorName = 24;
constexpr std::size_t kMaxPasswordLength = 8;

// The first `count` comma-separated pieces, then the rest as one piece (a
// name may hold commas).
std::vector<std::string_view> SplitWithRest(std::string_view d, std::size_t count) {
    std::vector<std::string_view> pieces;
    while (pieces.size() < count) {
        const std::size_t comma = d.find(',');
        if (comma == std::string_view::npos) break;
        pieces.push_back(d.substr(0, comma));
        d.remove_prefix(comma + 1);
    }
    pieces.push_back(d);
    return pieces;
}

bool ParseSlot(std::string_view text, int& slot) {
    std::int64_t n;
    if (!ParseInteger(text, n) || n < 1 || n > kArticleSlots) return false;
    slot = static_cast<int>(n);
    return true;
}

bool HasDaySales(const Article& a) { return a.SoldQuantity != 0 || a.RefundQuantity != 0; }

// P,number,tax,group,price,sold quantity,sold amount,refunded quantity,
// refunded amount,name
std::string ArticleRecord(int slot, const Article& a) {
    return "P," + std::to_string(slot) + "," + std::string(1, static_cast<char>(a.Tax)) + "," +
           std::to_string(a.Group) + "," + FormatFixed(a.Price, 2) + "," +
           FormatFixed(a.SoldQuantity, 3) + "," + std::to_string(a.SoldAmount) + "," +
           FormatFixed(a.RefundQuantity, 3) + "," + std::to_string(a.RefundAmount) + "," + a.Name;
}

// P<tax><number>,<group>,<price>,<password>,<name>
bool Program(CommandContext& c, std::string_view d) {
    if (!RequireIdle(c)) return false;
    const auto f = d.size() >= 2 ? SplitWithRest(d.substr(2), 4) : std::vector<std::string_view>{};
    const auto tax = d.size() >= 2 ? static_cast<std::uint8_t>(d[1]) : 0;
    int slot;
    std::int64_t group, price;
    if (f.size() != 5 || tax < kFirstTaxLetter || tax >= kFirstTaxLetter + kTaxGroups ||
        !ParseSlot(f[0], slot) || !ParseInteger(f[1], group) || group < 0 || group > 99 ||
        !ParseFixed(f[2], 2, price) || price <= 0 || price > kMaxPrice || f[4].empty() ||
        f[4].size() > kMaxArticleName) {
        c.Fail(status::kSyntaxError);
        return false;
    }
    if (!RequireReportPassword(c, f[3])) return false;
    Article& a = c.State.Articles[slot];
    if (a.Programmed && HasDaySales(a)) {
        c.Fail(status::kNotAllowed);
        return false;
    }
    a = Article{};
    a.Programmed = true;
    a.Tax = tax;
    a.Group = static_cast<int>(group);
    a.Price = price;
    a.Name = std::string(f[4]);
    return true;
}

// C<number>,<price>,<password>
bool ChangePrice(CommandContext& c, std::string_view d) {
    if (!RequireIdle(c)) return false;
    const auto f = SplitFields(d.substr(1));
    int slot;
    std::int64_t price;
    if (f.size() != 3 || !ParseSlot(f[0], slot) || !ParseFixed(f[1], 2, price) || price <= 0 ||
        price > kMaxPrice) {
        c.Fail(status::kSyntaxError);
        return false;
    }
    if (!RequireReportPassword(c, f[2])) return false;
    Article& a = c.State.Articles[slot];
    if (!a.Programmed) {
        c.Fail(status::kUnknownArticle);
        return false;
    }
    a.Price = price;
    return true;
}

// D<number>,<password> or DA,<password> for the whole table.
bool Delete(CommandContext& c, std::string_view d) {
    if (!RequireIdle(c)) return false;
    const auto f = SplitFields(d.substr(1));
    int slot = 0;
    if (f.size() != 2 || (f[0] != "A" && !ParseSlot(f[0], slot))) {
        c.Fail(status::kSyntaxError);
        return false;
    }
    if (!RequireReportPassword(c, f[1])) return false;
    std::vector<Article>& articles = c.State.Articles;
    if (slot > 0 && !articles[slot].Programmed) {
        c.Fail(status::kUnknownArticle);
        return false;
    }
    const int from = slot > 0 ? slot : 1, to = slot > 0 ? slot : kArticleSlots;
    for (int n = from; n <= to; ++n)
        if (articles[n].Programmed && HasDaySales(articles[n])) {
            c.Fail(status::kNotAllowed);
            return false;
        }
    for (int n = from; n <= to; ++n) articles[n] = Article{};
    return true;
}

// The next programmed slot after `after`, or 0.
int NextProgrammed(const PrinterState& s, int after) {
    for (int n = after + 1; n <= kArticleSlots; ++n)
        if (s.Articles[n].Programmed) return n;
    return 0;
}

void Walk(CommandContext& c, int from) {
    const int slot = NextProgrammed(c.State, from);
    c.State.ArticleCursor = slot ? slot : kArticleSlots;
    c.Reply = slot ? ArticleRecord(slot, c.State.Articles[slot]) : "F";
}

bool ParseOperator(std::string_view text, int& index) {
    std::int64_t n;
    if (!ParseInteger(text, n) || n < 1 || n > kOperatorCount) return false;
    index = static_cast<int>(n) - 1;
    return true;
}

bool ValidPassword(std::string_view p) {
    if (p.empty() || p.size() > kMaxPasswordLength) return false;
    for (char ch : p)
        if (ch < '0' || ch > '9') return false;
    return true;
}

}  // namespace

namespace handlers {

// The first letter selects: P program, C change price, D delete, R read,
// F first and N next of the walk over the programmed slots. Programming
// sub-commands answer "P" when done and "F" when refused; reads answer the
// article record, or "F" and the slot number for a free slot.
void Articles(CommandContext& c, std::string_view d) {
    const char sub = d.empty() ? '\0' : d[0];
    bool done = false;
    switch (sub) {
        case 'P': done = Program(c, d); break;
        case 'C': done = ChangePrice(c, d); break;
        case 'D': done = Delete(c, d); break;
        case 'R': {
            std::int64_t slot;
            if (!ParseInteger(d.substr(1), slot) || slot < 1 || slot > kArticleSlots) {
                c.Fail(status::kSyntaxError);
                c.Reply = "F";
                return;
            }
            const Article& a = c.State.Articles[slot];
            c.Reply = a.Programmed ? ArticleRecord(static_cast<int>(slot), a)
                                   : "F," + std::to_string(slot);
            return;
        }
        case 'F':
            if (d.size() == 1) return Walk(c, 0);
            break;
        case 'N':
            if (d.size() == 1) return Walk(c, c.State.ArticleCursor);
            break;
        default: break;
    }
    if (sub != 'P' && sub != 'C' && sub != 'D') c.Fail(status::kSyntaxError);
    if (done) c.Changed = true;
    c.Reply = done ? "P" : "F";
}

// operator,old password,new password
void SetOperatorPassword(CommandContext& c, std::string_view d) {
    const auto f = SplitFields(d);
    int op;
    if (f.size() != 3 || !ParseOperator(f[0], op) || !ValidPassword(f[2])) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!RequireIdle(c)) return;
    Operator* who = OperatorWithPassword(c, op, f[1]);
    if (!who) return;
    who->Password = std::string(f[2]);
    c.Changed = true;
}

// operator,password,name (the name may hold commas)
void SetOperatorName(CommandContext& c, std::string_view d) {
    const auto f = SplitWithRest(d, 2);
    int op;
    if (f.size() != 3 || !ParseOperator(f[0], op) || f[2].size() > kMaxOperatorName) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!RequireIdle(c)) return;
    Operator* who = OperatorWithPassword(c, op, f[1]);
    if (!who) return;
    who->Name = std::string(f[2]);
    c.Changed = true;
}

// operator,administrator (report) password: back to the factory "0000".
void ResetOperatorPassword(CommandContext& c, std::string_view d) {
    const auto f = SplitFields(d);
    int op;
    if (f.size() != 2 || !ParseOperator(f[0], op)) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!RequireIdle(c) || !RequireReportPassword(c, f[1])) return;
    c.State.Operators[op].Password = "0000";
    c.Changed = true;
}

}  // namespace handlers

}  // namespace simulator
