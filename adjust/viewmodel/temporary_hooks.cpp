// The view-model's temporary-change hooks: the replay of "调课.txt" that the
// engine, the lists and the swap call, and the temporary swap of the grid
// click with its change notices.

#include "adjust/viewmodel/mainwindow.h"
#include "temporary/changefile.h"
#include "temporary/tempswap.h"

namespace tavro {

MainWindowModel::MainWindowModel(Ctx ctx) : c_(ctx) {
  replayTemporary = [](Ctx& c) { Dklsgkwj(c); };
  temporarySwap = [this](Ctx& c, int nj, int bj) {
    const TemporarySwapResult result = Lsdk(c, nj, bj);
    if (result.notices) showNotices(*result.notices);
    return result.handled;
  };
}

void MainWindowModel::showNotices(const QString& text) {
  w_.RichTextBoxZb = text;
  w_.RichTextBoxZbVisible = true;
  w_.FraPkVisible = false;
  if (noticesShown) noticesShown();
}

void MainWindowModel::closeNotices() {
  w_.RichTextBoxZbVisible = false;
  w_.FraRqfwVisible = false;
  w_.FraPkVisible = true;
}

}  // namespace tavro
