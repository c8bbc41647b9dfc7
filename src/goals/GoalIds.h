#pragma once
// The number of the Goals command (Tools > Goals...), clear of the shell's and the other
// features' numbers; the dialog's template is the shell's res::kGoalsDialog.

namespace goals {
constexpr int kCommand = 1242;
} // namespace goals
