#include "simulator/printer_state.h"

namespace simulator {

std::int64_t Receipt::Total() const {
    std::int64_t total = 0;
    for (std::int64_t g : Groups) total += g;
    return total;
}

PrinterState::PrinterState() : Articles(kArticleSlots + 1) {
    for (int i = 0; i < kOperatorCount; ++i) {
        Operators[i].Name = "Operator " + std::to_string(i + 1);
        Operators[i].Password = "0000";
    }
}

}  // namespace simulator
