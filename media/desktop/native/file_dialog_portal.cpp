#include "media/desktop/native/file_dialog_portal.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <dbus/dbus.h>
#include <sys/stat.h>
#include <unistd.h>

#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/text_ops.h"

namespace media_internal {
namespace {

constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooser = "org.freedesktop.portal.FileChooser";
constexpr int kCallTimeoutMs = 5000;

struct ConnectionCloser {
    void operator()(DBusConnection* c) const {
        dbus_connection_close(c);
        dbus_connection_unref(c);
    }
};
using Connection = std::unique_ptr<DBusConnection, ConnectionCloser>;

struct MessageUnref {
    void operator()(DBusMessage* m) const { dbus_message_unref(m); }
};
using Message = std::unique_ptr<DBusMessage, MessageUnref>;

// Only an existing session bus: letting libdbus "autolaunch" would start a
// bus daemon of its own that outlives the game.
bool SessionBusPresent() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    struct stat st;
    return ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

Connection Connect() {
    if (!SessionBusPresent()) return nullptr;
    dbus_threads_init_default();
    DBusError err;
    dbus_error_init(&err);
    DBusConnection* c = dbus_bus_get_private(DBUS_BUS_SESSION, &err);
    dbus_error_free(&err);
    if (!c) return nullptr;
    // A lost bus must not end the game (libdbus would call _exit by default).
    dbus_connection_set_exit_on_disconnect(c, FALSE);
    return Connection(c);
}

Message Call(DBusConnection* c, DBusMessage* msg) {
    DBusError err;
    dbus_error_init(&err);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(c, msg, kCallTimeoutMs, &err);
    if (dbus_error_is_set(&err)) DebugLog(std::string("file dialog portal: ") + err.message);
    dbus_error_free(&err);
    return Message(reply);
}

// The FileChooser interface version, 0 when the portal or the interface is missing.
unsigned PortalVersion(DBusConnection* c) {
    Message msg(dbus_message_new_method_call(kPortalName, kPortalPath,
                                             "org.freedesktop.DBus.Properties", "Get"));
    if (!msg) return 0;
    const char* iface = kChooser;
    const char* prop = "version";
    dbus_message_append_args(msg.get(), DBUS_TYPE_STRING, &iface, DBUS_TYPE_STRING, &prop,
                             DBUS_TYPE_INVALID);
    Message reply = Call(c, msg.get());
    if (!reply) return 0;
    DBusMessageIter it, variant;
    if (!dbus_message_iter_init(reply.get(), &it) ||
        dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_VARIANT)
        return 0;
    dbus_message_iter_recurse(&it, &variant);
    if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_UINT32) return 0;
    dbus_uint32_t version = 0;
    dbus_message_iter_get_basic(&variant, &version);
    return version;
}

void AppendString(DBusMessageIter* it, const std::string& s) {
    const char* p = s.c_str();
    dbus_message_iter_append_basic(it, DBUS_TYPE_STRING, &p);
}

// One "{sv}" entry of the options: opens it, lets `fill` write the value.
template <typename Fill>
void AddOption(DBusMessageIter* dict, const char* key, const char* signature, Fill fill) {
    DBusMessageIter entry, variant;
    dbus_message_iter_open_container(dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
    dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
    dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, signature, &variant);
    fill(&variant);
    dbus_message_iter_close_container(&entry, &variant);
    dbus_message_iter_close_container(dict, &entry);
}

// A filter is (label, [(0 = glob, pattern)]); portal globs are case-sensitive.
void AppendFilter(DBusMessageIter* it, const FileTypeGroup& g) {
    DBusMessageIter group, patterns;
    dbus_message_iter_open_container(it, DBUS_TYPE_STRUCT, nullptr, &group);
    AppendString(&group, g.label);
    dbus_message_iter_open_container(&group, DBUS_TYPE_ARRAY, "(us)", &patterns);
    for (const std::string& p : g.patterns) {
        DBusMessageIter pair;
        dbus_message_iter_open_container(&patterns, DBUS_TYPE_STRUCT, nullptr, &pair);
        dbus_uint32_t kind = 0;
        dbus_message_iter_append_basic(&pair, DBUS_TYPE_UINT32, &kind);
        AppendString(&pair, CaseInsensitiveGlob(p));
        dbus_message_iter_close_container(&patterns, &pair);
    }
    dbus_message_iter_close_container(&group, &patterns);
    dbus_message_iter_close_container(it, &group);
}

Message BuildRequest(const PortalRequest& r, const std::string& token, unsigned version) {
    Message msg(dbus_message_new_method_call(kPortalName, kPortalPath, kChooser,
                                             r.save ? "SaveFile" : "OpenFile"));
    if (!msg) return nullptr;
    char parent[64] = "";
    if (r.xid) std::snprintf(parent, sizeof parent, "x11:%lx", r.xid);
    DBusMessageIter args, dict;
    dbus_message_iter_init_append(msg.get(), &args);
    AppendString(&args, parent);
    AppendString(&args, r.title);
    dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &dict);
    AddOption(&dict, "handle_token", "s", [&](DBusMessageIter* v) { AppendString(v, token); });
    AddOption(&dict, "modal", "b", [](DBusMessageIter* v) {
        dbus_bool_t yes = TRUE;
        dbus_message_iter_append_basic(v, DBUS_TYPE_BOOLEAN, &yes);
    });
    if (!r.groups.empty()) {
        AddOption(&dict, "filters", "a(sa(us))", [&](DBusMessageIter* v) {
            DBusMessageIter list;
            dbus_message_iter_open_container(v, DBUS_TYPE_ARRAY, "(sa(us))", &list);
            for (const FileTypeGroup& g : r.groups)
                AppendFilter(&list, g);
            dbus_message_iter_close_container(v, &list);
        });
        AddOption(&dict, "current_filter", "(sa(us))",
                  [&](DBusMessageIter* v) { AppendFilter(v, r.groups.front()); });
    }
    // Open dialogs learned the starting folder in version 4.
    if (!r.folder.empty() && (r.save || version >= 4)) {
        AddOption(&dict, "current_folder", "ay", [&](DBusMessageIter* v) {
            DBusMessageIter bytes;
            dbus_message_iter_open_container(v, DBUS_TYPE_ARRAY, "y", &bytes);
            const char* p = r.folder.c_str(); // sent with its terminating NUL
            dbus_message_iter_append_fixed_array(&bytes, DBUS_TYPE_BYTE, &p,
                                                 int(r.folder.size() + 1));
            dbus_message_iter_close_container(v, &bytes);
        });
    }
    dbus_message_iter_close_container(&args, &dict);
    return msg;
}

// Reads (u response, a{sv} results) of a Response signal.
DialogOutcome ParseResponse(DBusMessage* m, std::string& chosen) {
    DBusMessageIter it;
    if (!dbus_message_iter_init(m, &it) || dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_UINT32)
        return DialogOutcome::Unavailable;
    dbus_uint32_t response = 2;
    dbus_message_iter_get_basic(&it, &response);
    if (response == 1) return DialogOutcome::Cancelled;
    if (response != 0) {
        // GTK answers 2 when the dialog is closed with Escape or its close box:
        // offering another dialog then would ask a question already answered.
        DebugLog("file dialog portal: ended without a choice (" + std::to_string(response) + ")");
        return DialogOutcome::Cancelled;
    }
    if (!dbus_message_iter_next(&it) || dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_ARRAY)
        return DialogOutcome::Cancelled;
    DBusMessageIter dict;
    dbus_message_iter_recurse(&it, &dict);
    for (; dbus_message_iter_get_arg_type(&dict) == DBUS_TYPE_DICT_ENTRY;
         dbus_message_iter_next(&dict)) {
        DBusMessageIter entry, variant, uris;
        dbus_message_iter_recurse(&dict, &entry);
        if (dbus_message_iter_get_arg_type(&entry) != DBUS_TYPE_STRING) continue;
        const char* key = nullptr;
        dbus_message_iter_get_basic(&entry, &key);
        if (std::string(key) != "uris" || !dbus_message_iter_next(&entry) ||
            dbus_message_iter_get_arg_type(&entry) != DBUS_TYPE_VARIANT)
            continue;
        dbus_message_iter_recurse(&entry, &variant);
        if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_ARRAY) continue;
        dbus_message_iter_recurse(&variant, &uris);
        if (dbus_message_iter_get_arg_type(&uris) != DBUS_TYPE_STRING) continue;
        const char* uri = nullptr;
        dbus_message_iter_get_basic(&uris, &uri);
        chosen = PathFromFileUri(uri);
        return chosen.empty() ? DialogOutcome::Cancelled : DialogOutcome::Chosen;
    }
    return DialogOutcome::Cancelled;
}

std::string AddMatch(DBusConnection* c, const std::string& rule) {
    DBusError err;
    dbus_error_init(&err);
    dbus_bus_add_match(c, rule.c_str(), &err);
    std::string problem = dbus_error_is_set(&err) ? err.message : "";
    dbus_error_free(&err);
    return problem;
}

std::string ResponseRule(const std::string& handle) {
    return "type='signal',interface='org.freedesktop.portal.Request',member='Response',path='" +
           handle + "'";
}

} // namespace

std::string PathFromFileUri(const std::string& uri) {
    if (uri.compare(0, 7, "file://") != 0) return {};
    size_t slash = uri.find('/', 7);
    if (slash == std::string::npos) return {};
    std::string host = uri.substr(7, slash - 7);
    if (!host.empty() && host != "localhost") return {};
    // A query or fragment ends the path; an escaped '?' or '#' belongs to it.
    const size_t end = uri.find_first_of("?#", slash);
    const std::string path = PercentDecode(uri.substr(slash, end - slash));
    // A NUL inside would silently cut the path short wherever it is used.
    return path.find('\0') == std::string::npos ? path : "";
}

namespace {

// The request object path is predictable from our bus name and the token,
// so the answer can be subscribed to before asking (it may come at once).
std::string RequestHandle(DBusConnection* c, const std::string& token) {
    std::string sender = dbus_bus_get_unique_name(c);
    if (!sender.empty() && sender.front() == ':') sender.erase(0, 1);
    for (char& ch : sender)
        if (ch == '.') ch = '_';
    return "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
}

// Old portals pick their own request path and say so in the reply.
void FollowReturnedHandle(DBusConnection* c, DBusMessage* reply, std::string& handle) {
    const char* returned = nullptr;
    DBusError err;
    dbus_error_init(&err);
    if (dbus_message_get_args(reply, &err, DBUS_TYPE_OBJECT_PATH, &returned, DBUS_TYPE_INVALID) &&
        handle != returned) {
        handle = returned;
        AddMatch(c, ResponseRule(handle));
    }
    dbus_error_free(&err);
}

bool PortalVanished(DBusMessage* raw) {
    if (!dbus_message_is_signal(raw, "org.freedesktop.DBus", "NameOwnerChanged")) return false;
    const char *name = nullptr, *from = nullptr, *to = nullptr;
    DBusError e;
    dbus_error_init(&e);
    const bool ok = dbus_message_get_args(raw, &e, DBUS_TYPE_STRING, &name, DBUS_TYPE_STRING, &from,
                                          DBUS_TYPE_STRING, &to, DBUS_TYPE_INVALID);
    dbus_error_free(&e);
    return ok && std::string(name) == kPortalName && !*to;
}

// Waits for the answer while keeping the game window responsive.
DialogOutcome AwaitResponse(DBusConnection* c, const std::string& handle, std::string& chosen) {
    while (dbus_connection_read_write(c, 20)) {
        while (DBusMessage* raw = dbus_connection_pop_message(c)) {
            Message m(raw);
            const char* path = dbus_message_get_path(raw);
            if (dbus_message_is_signal(raw, "org.freedesktop.portal.Request", "Response") &&
                handle == (path ? path : ""))
                return ParseResponse(raw, chosen);
            if (PortalVanished(raw)) {
                DebugLog("file dialog portal: the portal went away");
                return DialogOutcome::Unavailable;
            }
        }
        PumpEvents();
    }
    DebugLog("file dialog portal: lost the session bus");
    return DialogOutcome::Unavailable;
}

} // namespace

DialogOutcome AskPortal(const PortalRequest& request, std::string& chosen) {
    Connection conn = Connect();
    if (!conn) return DialogOutcome::Unavailable;
    DBusConnection* c = conn.get();
    unsigned version = PortalVersion(c);
    if (version == 0 || int(version) < request.minimumVersion) {
        DebugLog("file dialog portal: version " + std::to_string(version) + " not used");
        return DialogOutcome::Unavailable;
    }
    static unsigned counter = 0;
    std::string token = "palmut" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
    std::string handle = RequestHandle(c, token);
    if (!AddMatch(c, ResponseRule(handle)).empty()) return DialogOutcome::Unavailable;
    AddMatch(c, "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
                "member='NameOwnerChanged',arg0='" +
                    std::string(kPortalName) + "'");

    Message msg = BuildRequest(request, token, version);
    if (!msg) return DialogOutcome::Unavailable;
    Message reply = Call(c, msg.get());
    if (!reply) return DialogOutcome::Unavailable;
    FollowReturnedHandle(c, reply.get(), handle);
    return AwaitResponse(c, handle, chosen);
}

} // namespace media_internal
