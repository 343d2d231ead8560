#include "framework/comctrls/ComCtrlsTypes.h"

void InitCommonControlClasses()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_DATE_CLASSES |
                                     ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}
