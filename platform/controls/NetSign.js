// Stand-in for the bank's signing control. Run as the body of a function, it
// returns the installer that gives one object element the control's members.
// Signature: "NSIG1." + base64(UTF-8 of the items joined by "\n") + "." +
// the 32-bit FNV-1a of those bytes as 8 lower-case hex digits.
function utf8Bytes(text) {
    if (typeof TextEncoder !== "undefined") {
        return new TextEncoder().encode(text);
    }
    var binary = unescape(encodeURIComponent(text));
    var bytes = [];
    for (var i = 0; i < binary.length; ++i) {
        bytes.push(binary.charCodeAt(i));
    }
    return bytes;
}

function base64(bytes) {
    var binary = "";
    for (var i = 0; i < bytes.length; ++i) {
        binary += String.fromCharCode(bytes[i]);
    }
    return btoa(binary);
}

function fnv1a(bytes) {
    var hash = 0x811c9dc5;
    for (var i = 0; i < bytes.length; ++i) {
        hash ^= bytes[i];
        hash = Math.imul(hash, 0x01000193) >>> 0;
    }
    return ("00000000" + hash.toString(16)).slice(-8);
}

return function (control) {
    var items = [];
    control.attachedSign = "";
    control.addFormItem = function (text) {
        items.push(String(text));
        return true;
    };
    control.makeAttachedSign = function () {
        if (items.length === 0) {
            control.attachedSign = "";
            return false;
        }
        var bytes = utf8Bytes(items.join("\n"));
        control.attachedSign = "NSIG1." + base64(bytes) + "." + fnv1a(bytes);
        return true;
    };
};
