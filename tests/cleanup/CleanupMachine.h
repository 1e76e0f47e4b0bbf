#pragma once

#include "fakes/TestProgram.h"

#include <string>

namespace cleanup_test {

inline const std::string ShellFolders =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline const std::string Temp = "C:\\Users\\user\\AppData\\Local\\Temp";
inline const std::string Cache = "C:\\Users\\user\\AppData\\Local\\Microsoft\\Windows\\INetCache";
inline const std::string History = "C:\\Users\\user\\AppData\\Local\\Microsoft\\Windows\\History";
inline const std::string Cookies =
    "C:\\Users\\user\\AppData\\Local\\Microsoft\\Windows\\INetCookies";
inline const std::string Outside = "C:\\Outside";

inline std::string In(const std::string& folder, const std::string& name) {
    return folder + "\\" + name;
}

// A machine whose four folder places exist and are named by the shell-folder key, with a
// tree outside them that nothing may touch.
struct CleanupMachine : fakes::TestProgram {
    CleanupMachine() {
        for (const std::string* folder : {&Cache, &History, &Cookies})
            files().AddFolder(*folder);
        SetShellFolder("Cache", Cache);
        SetShellFolder("History", History);
        SetShellFolder("Cookies", Cookies);
        files().AddFile(In(Outside, "keep.txt"), 500);
        files().AddFile(In(Outside, "deep\\more.txt"), 600);
        files().AddFile("C:\\WINDOWS\\win.ini", 100);
        files().AddFile("C:\\Users\\user\\ntuser.dat", 200);
    }
    fakes::FakeFiles& files() { return fake.files; }
    void SetShellFolder(const std::string& name, const std::string& path) {
        fake.registry.SetString(port::RegRoot::CurrentUser, ShellFolders, name, path);
    }
    // Deleting was allowed in an earlier run.
    void AcceptedBefore() { Store("IndexOfTemp", 1); }
    void AnswerYes() { fake.desktop.answers.push_back(port::mb::IdYes); }
    [[nodiscard]] bool OutsideIntact() const {
        return fake.files.Exists(In(Outside, "keep.txt")) &&
               fake.files.Exists(In(Outside, "deep\\more.txt")) &&
               fake.files.BytesUnder(Outside) == 1100;
    }
    // Every change the program made (or tried) lies inside one of the four places.
    [[nodiscard]] bool ChangesOnlyInThePlaces() const {
        for (const std::string& change : fake.files.changes) {
            const std::string path = change.substr(change.find(' ') + 1);
            bool inside = false;
            for (const std::string* place : {&Temp, &Cache, &History, &Cookies})
                inside = inside || path == *place || path.rfind(*place + "\\", 0) == 0;
            if (!inside)
                return false;
        }
        return true;
    }
};

} // namespace cleanup_test
