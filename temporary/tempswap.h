#pragma once
// The temporary swap of the grid click: the dates are confirmed, the change is
// appended to "调课.txt", the two lessons are exchanged in the temporary layer
// and the user may have the change notices composed.

#include <QString>
#include <optional>

#include "core/ctx.h"

namespace tavro {

// What the temporary swap step did.
struct TemporarySwapResult {
  bool handled = false;            // the swap was made, or its record could not be written (warned)
  std::optional<QString> notices;  // the notice text when the user asked for notices
};

// Lsdk: the temporary swap of the lessons at (Xq1, Jc1) and (Xq2, Jc2) of class (nj, bj) for the
// dates of DTPicker1 and DTPicker2. Equal dates ask "临时调课的开始日期和结束日期已经确定了吗？"
// first; without a yes nothing happens (handled false). Otherwise Lsksrq/Lsjsrq take the dates, the
// hint names the swap, BcLsgk appends the record, Dk exchanges the lessons in the temporary layer
// (replaying the records in force and keeping this one), and "打印临时调课通知吗？..." offers the
// notices. A record that cannot be written gives a warning and no swap. weekParity as for
// Lsdktzjsz.
TemporarySwapResult Lsdk(Ctx& c, int nj, int bj, const QString& weekParity = QStringLiteral("1"));

}  // namespace tavro
