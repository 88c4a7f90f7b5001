// Builds and describes icon sets for the TDF tests.
#pragma once

#include <map>
#include <string>

#include "quillet/document/tdf_document.h"
#include "quillet/model/class_id.h"

namespace quillet {
namespace tdf_test {

// Every class, property and child that a document stores, one line each,
// indented by depth.
inline void Describe(const Object& object, int depth, std::string* out) {
    out->append(static_cast<size_t>(depth) * 2, ' ');
    *out += ClassIdToText(object.ClassId());
    for (PropertyTag tag : object.PersistedTags()) {
        Value value;
        if (object.GetOwnProperty(tag, &value))
            *out +=
                " " + std::to_string(tag) + "=" + std::to_string(static_cast<int>(value.Type())) + ":" + value.ToText();
    }
    *out += "\n";
    for (const RefPtr<Object>& child : object.Children()) Describe(*child, depth + 1, out);
}

inline std::string Describe(const ObjectModel& model) {
    std::string out;
    for (const RefPtr<ClassFactory>& factory : model.Factories()) {
        out += "factory ";
        Describe(*factory->ClassObject(), 0, &out);
    }
    Describe(*model.Root(), 0, &out);
    return out;
}

inline RefPtr<Object> Add(ObjectModel& model, Object& parent, const Guid& classId,
                          std::map<PropertyTag, Value> properties = {}) {
    RefPtr<Object> object;
    if (Failed(model.CreateSavedObject(classId, &object))) return object;
    for (const auto& [tag, value] : properties) object->SetProperty(tag, value);
    parent.Insert(object.Get());
    return object;
}

// Root settings away from their defaults, three tray icons with folders of
// every kind, separators, column separators and folders inside folders, and
// one class-level setting.
inline void BuildIconSet(ObjectModel& model) {
    IconSetRoot& root = *model.Root();
    root.SetProperty(kTagConfirmDelete, Value::FromBoolean(false));
    root.SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeCustom));
    root.SetProperty(kTagCustomHotkey, Value::FromInteger(0x0378));
    root.SetProperty(kTagMenuView, Value::FromInteger(kMenuViewText));
    root.SetProperty(kTagClickSound, Value::FromText("C:\\Sounds\\click & \"pop\".wav"));
    root.SetProperty(kTagClickMode, Value::FromInteger(2));
    root.SetProperty(kTagPassword, Value::FromText("quillet01234567012"));
    root.SetProperty(kTagChangesAllowed, Value::FromBoolean(true));
    model.FindFactory(kClassFolder)
        ->ClassObject()
        ->SetProperty(kTagFolderAction, Value::FromInteger(kFolderActionExplore));

    RefPtr<Object> first = Add(model, root, kClassStandardTrayIcon);
    Add(model, *first, kClassFolder,
        {{kTagFolderSpecial, Value::FromInteger(17)}, {kTagName, Value::FromText("My Computer")}});
    Add(model, *first, kClassSeparator);
    Add(model, *first, kClassColumnSeparator);
    Add(model, *first, kClassFolder,
        {{kTagName, Value::FromText("Windows Directory")},
         {kTagFolderPath, Value::FromText("C:\\WINDOWS")},
         {kTagFolderAction, Value::FromInteger(kFolderActionExploreTree)},
         {kTagFolderAsRoot, Value::FromBoolean(true)},
         {kTagFolderNewWindow, Value::FromBoolean(true)}});
    Add(model, *first, kClassFolder,
        {{kTagName, Value::FromText("Program Files")},
         {kTagFolderPath, Value::FromText("!ProgramFilesDir")},
         {kTagFolderAction, Value::FromInteger(kFolderActionCommandPrompt)}});

    RefPtr<Object> second = Add(model, root, kClassStandardTrayIcon,
                                {{kTagName, Value::FromText("Tools <&>")},
                                 {kTagIconFile, Value::FromText("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL")},
                                 {kTagIconIndex, Value::FromInteger(-101)},
                                 {kTagIconChooser, Value::FromInteger(4)}});
    RefPtr<Object> outer =
        Add(model, *second, kClassFolder,
            {{kTagName, Value::FromText("Projects")}, {kTagFolderPath, Value::FromText("D:\\Projects")}});
    RefPtr<Object> inner =
        Add(model, *outer, kClassFolder,
            {{kTagName, Value::FromText("2000")}, {kTagFolderPath, Value::FromText("D:\\Projects\\2000")}});
    Add(model, *inner, kClassSeparator);
    Add(model, *second, kClassColumnSeparator);
    Add(model, *second, kClassColumnSeparator);

    Add(model, root, kClassStandardTrayIcon, {{kTagName, Value::FromText("Empty")}});
}

// In-memory files: what was read, written and refused.
class FakeFiles : public DocumentFiles {
public:
    ReadResult ReadWholeFile(const std::string& path, std::string* bytes) override {
        auto found = m_files.find(path);
        if (found == m_files.end()) return ReadResult::Missing;
        if (m_unreadable) return ReadResult::Failed;
        *bytes = found->second;
        return ReadResult::Read;
    }
    bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) override {
        if (m_refuseWrites) {
            *reason = "Access is denied.";
            return false;
        }
        m_files[path] = std::string(bytes);
        return true;
    }
    bool IsWriteRefused(const std::string&) override { return m_refuseWrites; }

    std::map<std::string, std::string> m_files;
    bool m_unreadable = false;
    bool m_refuseWrites = false;
};

}  // namespace tdf_test
}  // namespace quillet
