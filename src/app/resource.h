#pragma once
// Resource identifiers shared by Tessora.rc and the code.
#define IDI_TESSORA 1
#define IDS_TESSORA_NAME 1
