#pragma once
// The list of the settings dialog, as the toolkit's list tests build it: on the form at
// the dialog's place, in its font, with its three columns.
#include <windows.h>

#include "toolkit/Form.h"
#include "toolkit/ListView.h"

namespace tessora::listtest {

inline tk::ListView* AddSaverList(tk::Form& form, HFONT font) {
  form.Border = tk::BorderStyle::Dialog;
  form.SetBounds(200, 150, 330, 280);
  auto* list = new tk::ListView(&form);
  list->SetParent(&form);
  list->SetBounds(3, 49, 230, 180);
  list->SetFont(font);
  list->AddColumn({L"ｽｸﾘｰﾝｾｰﾊﾞｰ名", 50, 50, tk::ColumnAlignment::Left, true});
  list->AddColumn({L"秒", 40, 20, tk::ColumnAlignment::Center});
  list->AddColumn({L"頻度", 40, 0, tk::ColumnAlignment::Center});
  return list;
}

}  // namespace tessora::listtest
