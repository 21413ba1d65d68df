#include "dialogs/firmware_reset_dlg.h"

#include "settings/language_indexes.h"

namespace gm::win {

CFirmwareResetDlg::CFirmwareResetDlg(const ui::UiContext& context)
    : CConfirmDlg(context, nullptr, context.Text(kTextFactoryResetQuestion)) {}

}  // namespace gm::win
