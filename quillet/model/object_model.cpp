#include "quillet/model/object_model.h"

namespace quillet {

std::string ClassFactory::DisplayName() const {
    std::string name = m_classObject->ReadText(kTagName);
    if (name.empty()) name = m_classObject->ReadText(kTagClassName);
    return "(" + name + ")";
}

ObjectModel::ObjectModel() : m_root(MakeRef<IconSetRoot>()) {}

void ObjectModel::RegisterFactory(RefPtr<ClassFactory> factory) {
    if (factory) m_factories.push_back(std::move(factory));
}

ClassFactory* ObjectModel::FindFactory(const Guid& classId) const {
    for (const RefPtr<ClassFactory>& factory : m_factories)
        if (factory->ClassId() == classId) return factory.Get();
    return nullptr;
}

Status ObjectModel::CreateObject(const Guid& classId, RefPtr<Object>* out, const Value* initial) const {
    out->Reset();
    ClassFactory* factory = FindFactory(classId);
    if (!factory) return kStatusNotImplemented;
    RefPtr<Object> object = factory->CreateInstance();
    if (!object) return kStatusOutOfMemory;
    if (initial && !initial->IsEmpty()) {
        Status status = object->Initialize(*initial);
        if (Failed(status)) return status;
    }
    *out = std::move(object);
    return kStatusOk;
}

Status ObjectModel::CreateSavedObject(const Guid& classId, RefPtr<Object>* out) const {
    if (classId == kClassStandardTrayIcon) {
        *out = MakeRef<StandardTrayIcon>();
        return kStatusOk;
    }
    return CreateObject(classId, out);
}

Status ObjectModel::AddStandardTrayIcon() {
    RefPtr<StandardTrayIcon> icon = MakeRef<StandardTrayIcon>();
    return m_root->Insert(icon.Get());
}

void RegisterStandardFactories(ObjectModel& model) {
    model.RegisterFactory(MakeRef<SimpleClassFactory<FolderItem>>());
    model.RegisterFactory(MakeRef<SimpleClassFactory<SeparatorItem>>());
    model.RegisterFactory(MakeRef<SimpleClassFactory<ColumnSeparatorItem>>());
}

}  // namespace quillet
