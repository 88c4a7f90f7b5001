#include "quillet/app/application.h"

namespace quillet {
namespace {
Application* s_application = nullptr;
}

Application& App() {
    return *s_application;
}

void SetApp(Application* application) {
    s_application = application;
}

}  // namespace quillet
