#include "setup/common/product_files.h"

namespace stowdesk {

const std::vector<std::string_view>& DistributedFiles() {
    static const std::vector<std::string_view> names = {"sd.exe",    "SDtray.exe", "Quick.exe",   "sd_dll.dll",
                                                        "gnoop.wav", "shhhuh.wav", "tki-tko.wav", "uninstall.exe"};
    return names;
}

const std::vector<std::string_view>& OldReleaseFiles() {
    static const std::vector<std::string_view> names = {
        "sd98.exe",    "sdtray98.exe",   "sd98.htm",       "sd98help.htm", "AutoSD.exe",
        "AutoSDT.exe", "QuickStart.exe", "QuickStart.htm", "korb.url",     "KORB Stowdesk 98.url",
        "sd_hook.dll", "uninst98.exe",   "whatsnew98.txt"};
    return names;
}

const std::vector<std::string_view>& UninstallFirstGroup() {
    static const std::vector<std::string_view> names = {
        // The product's main program, help page and text files.
        "\\sd.exe", "\\sd.htm", "\\readme.txt", "\\whatsnew.txt",
        // Web shortcuts and pages.
        "\\KORB Stowdesk Homepage.url", "\\korb.url", "\\order.htm", "\\register.htm", "\\korb.htm", "\\sd98.htm",
        "\\sd98help.htm", "\\QuickStart.htm",
        // The installer and the product's other programs.
        "\\setup.exe", "\\SDtray.exe", "\\Quick.exe", "\\QuickStart.exe", "\\AutoSD.exe", "\\AutoSDT.exe", "\\sd98.exe",
        "\\sdtray98.exe", "\\uninst98.exe",
        // The maker's other programs that may share the folder.
        "\\QuickMenu.exe", "\\TrayPad.exe", "\\ClipTray.exe", "\\WinPeek.exe", "\\DeskSaver.exe", "\\whatsnew98.txt",
        "\\KORB Stowdesk 98.url"};
    return names;
}

const std::vector<std::string_view>& UninstallLibraries() {
    static const std::vector<std::string_view> names = {"\\QuickMenu.dll", "\\sd_hook.dll", "\\sd_dll.dll"};
    return names;
}

const std::vector<std::string_view>& UninstallSecondGroup() {
    static const std::vector<std::string_view> names = {
        // The product's three event sounds.
        "\\Gnoop.wav", "\\Shhhuh.wav", "\\Tki-tko.wav",
        // Sounds and tunes of the maker's other programs.
        "\\QuickOpen.wav", "\\QuickClose.wav", "\\TrayPad.wav", "\\ClipTray.wav", "\\WinPeek.mid",
        // Their help pages, icons and web shortcuts.
        "\\QuickMenu.htm", "\\TrayPad.htm", "\\ClipTray.htm", "\\WinPeek.htm", "\\DeskSaver.htm", "\\QuickMenu.ico",
        "\\TrayPad.ico", "\\KORB QuickMenu Homepage.url", "\\KORB TrayPad Homepage.url"};
    return names;
}

}  // namespace stowdesk
