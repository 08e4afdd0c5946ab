// What the update service is asked about: one row per updatable product, the application last.
#pragma once

#include <array>
#include <string>

namespace v38 {

struct UpdateProduct {
    int productType; // 1 or 2 for devices, 0 for the application
    int flag;
    int installedVersion; // filled when the update list is built
    std::string vendor;
    std::string modelCode;
    std::string productName;
    std::string displayName;
    std::string versionText;
};

constexpr size_t kUpdateProductCount = 4;

const std::array<UpdateProduct, kUpdateProductCount>& UpdateProductTable();
// The application's row (the last).
const UpdateProduct& applicationUpdateProduct();

} // namespace v38
