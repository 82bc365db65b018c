#include "office/memory/Documents.h"

namespace office::memory {

std::vector<std::shared_ptr<office::Document>> WordApp::documents() const {
    return {list.begin(), list.end()};
}

}  // namespace office::memory
