#pragma once
// Resource identifiers shared by Tessora.rc and the code.
#define IDI_TESSORA 1
#define IDS_TESSORA_NAME 1

// Button pictures (24-bit bitmaps; the bottom-left pixel's colour is transparent).
#define IDB_ADDSET 101
#define IDB_DELSET 102
#define IDB_ADDITEM 103
#define IDB_DELITEM 104
#define IDB_CLEARLIST 105
#define IDB_CLEARENTRIES 106
#define IDB_CLEARENTRIES_GREY 107
#define IDB_HELP 108
