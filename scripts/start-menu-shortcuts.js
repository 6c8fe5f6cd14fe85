// Saves a shortcut in the user's Start menu (its Programs folder) for each
// pair of arguments: the shortcut's name, then the program it starts. The
// exit code is the number of shortcuts that could not be saved. run.sh runs
// it with Wine's own script host (cscript), so nothing has to be built or
// fetched for it.
var shell = WScript.CreateObject("WScript.Shell");
var folder = "";
try {
    folder = shell.SpecialFolders("Programs");
} catch (e) {
    // Wine's script host knows few of the special folders' names.
}
if (!folder) {
    // Where the Programs folder lies unless it was moved. Wine's answer ends
    // in a NUL character, which would cut every path made from it.
    folder = shell.ExpandEnvironmentStrings("%APPDATA%").replace(/\u0000/g, "") +
        "\\Microsoft\\Windows\\Start Menu\\Programs";
}
var args = WScript.Arguments;
var failed = 0;
for (var i = 0; i + 1 < args.Count(); i += 2) {
    try {
        var link = shell.CreateShortcut(folder + "\\" + args.Item(i) + ".lnk");
        link.TargetPath = args.Item(i + 1);
        link.Save();
    } catch (e) {
        failed++;
    }
}
WScript.Quit(failed);
