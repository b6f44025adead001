#ifndef PELMORA_HOSTEVENTS_H
#define PELMORA_HOSTEVENTS_H

#include <wx/event.h>

// The host bus event types. These are fixed integers shared with plug-ins;
// use them only on EventNotifier (see EventNotifier.h for why).
// Each tag works with Bind() and, as an integer, with Connect().
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_QUERY_SERVER_NAMES(10000); // data: wxArrayString* to fill
const wxEventTypeTag<wxCommandEvent>
    wxEVT_CMD_LOGIN_REQUEST(10001); // data: wxArrayString* server, user, password
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_LOGOUT_REQUEST(10002);
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_HOST_RESERVED(10003);
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_CONNECTION_STATE(10004); // data: wxArrayString* of four texts
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_PASSWORD_CHANGED(10005); // data: wxArrayString* new password
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_USER_KICKED(10006);
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_COLOURS_CHANGED(10100);
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_REFRESH_VIEWS(11111);
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_FULLSCREEN_TOGGLED(11112);
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_NOTICE_CLICKED(11113);  // data: wxString* notice text
const wxEventTypeTag<wxCommandEvent> wxEVT_CMD_CLIENT_CREATED(778877); // data: the plug-in's new client

#endif // PELMORA_HOSTEVENTS_H
