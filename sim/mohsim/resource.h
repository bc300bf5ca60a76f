// Resource ids of mohsim.exe.
#pragma once

#define IDI_MOHSIM 1

#define IDS_PANEL_TITLE 100
#define IDS_ONLINE 101
#define IDS_OFFLINE 102
#define IDS_CALL 103
#define IDS_WITH_CALLER_ID 104
#define IDS_GRANT 105
#define IDS_DENY 106
#define IDS_WARN 107
#define IDS_TIMEOUT 108
#define IDS_REMOTE_TIMEOUT 109
#define IDS_ERROR 110
#define IDS_EVENT 111
#define IDS_STATUS 112
#define IDS_AUTOMATIC 113
#define IDS_JOURNAL 114
#define IDS_NO_ENGINE 115
