// The class factories and the icon set: what the application object owns of
// the object model. Portable: no <windows.h>.
#pragma once

#include <string>
#include <vector>

#include "quillet/model/classes.h"

namespace quillet {

// Makes the objects of one class. Its class object is a prototype of the
// class that holds the class's own settings (stored as a factory record of
// the icon set file).
class ClassFactory : public RefCounted {
public:
    const Guid& ClassId() const { return m_classObject->ClassId(); }
    Object* ClassObject() const { return m_classObject.Get(); }
    // "(" + the prototype's name + ")".
    std::string DisplayName() const;
    virtual RefPtr<Object> CreateInstance() const = 0;

protected:
    explicit ClassFactory(RefPtr<Object> classObject) : m_classObject(std::move(classObject)) {}

private:
    RefPtr<Object> m_classObject;
};

template <typename T>
class SimpleClassFactory : public ClassFactory {
public:
    SimpleClassFactory() : ClassFactory(MakeRef<T>()) {}
    RefPtr<Object> CreateInstance() const override { return MakeRef<T>(); }
};

class ObjectModel {
public:
    ObjectModel();
    ObjectModel(const ObjectModel&) = delete;
    ObjectModel& operator=(const ObjectModel&) = delete;

    // The icon set.
    IconSetRoot* Root() const { return m_root.Get(); }

    // Factories are asked in registration order.
    void RegisterFactory(RefPtr<ClassFactory> factory);
    const std::vector<RefPtr<ClassFactory>>& Factories() const { return m_factories; }
    ClassFactory* FindFactory(const Guid& classId) const;

    // A new object from the first factory of that class, initialised with
    // `initial` when one is given. kStatusNotImplemented and no object when no
    // factory serves the class; the initialiser's failure and no object when
    // the initial value is refused.
    Status CreateObject(const Guid& classId, RefPtr<Object>* out, const Value* initial = nullptr) const;
    // The classes built into the program (the standard tray icon) first, then
    // the factories: how a saved icon set is rebuilt.
    Status CreateSavedObject(const Guid& classId, RefPtr<Object>* out) const;

    // Appends a new standard tray icon to the root.
    Status AddStandardTrayIcon();

    // The icon set file that exists but could not be loaded into this model
    // (empty when none): the model does not hold what that file holds, so a
    // save must not replace it unless the user agrees.
    const std::string& UnloadedDocument() const { return m_unloadedDocument; }
    void SetUnloadedDocument(std::string path) { m_unloadedDocument = std::move(path); }

private:
    RefPtr<IconSetRoot> m_root;
    std::vector<RefPtr<ClassFactory>> m_factories;
    std::string m_unloadedDocument;
};

// Registers folder, separator and column separator, in that order.
void RegisterStandardFactories(ObjectModel& model);

}  // namespace quillet
