#include "core/update/update_product_table.h"

#include <gtest/gtest.h>

#include <set>

namespace v38 {
namespace {

TEST(UpdateProductTable, DeviceRowsThenTheApplicationRow) {
    const auto& table = UpdateProductTable();
    std::set<std::string> models;
    for (size_t i = 0; i < table.size(); ++i) {
        const UpdateProduct& row = table[i];
        EXPECT_EQ(row.flag, 1);
        EXPECT_EQ(row.installedVersion, 0);
        EXPECT_EQ(row.vendor, "PEXAL");
        EXPECT_FALSE(row.modelCode.empty());
        EXPECT_TRUE(models.insert(row.modelCode).second) << row.modelCode;
        if (i + 1 < table.size()) {
            EXPECT_TRUE(row.productType == 1 || row.productType == 2) << i;
            EXPECT_TRUE(row.versionText.empty()) << i;
        }
    }
    const UpdateProduct& app = applicationUpdateProduct();
    EXPECT_EQ(&app, &table.back());
    EXPECT_EQ(app.productType, 0);
    EXPECT_EQ(app.modelCode, "ALL");
    EXPECT_EQ(app.displayName, "AP");
    EXPECT_EQ(app.versionText, "V1.0.0.0");
}

} // namespace
} // namespace v38
