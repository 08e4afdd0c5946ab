#include "core/update/update_product_table.h"

namespace v38 {

const std::array<UpdateProduct, kUpdateProductCount>& UpdateProductTable() {
    static const std::array<UpdateProduct, kUpdateProductCount> table{{
        {1, 1, 0, "PEXAL", "V38-K1", "V38 K1 Keyboard", "V38 Keyboard", ""},
        {2, 1, 0, "PEXAL", "V38-M1", "V38 M1 Mouse", "V38 Mouse", ""},
        {1, 1, 0, "PEXAL", "V38-P1", "V38 P1 Mouse Pad", "V38 Mouse Pad", ""},
        {0, 1, 0, "PEXAL", "ALL", "V38 Device", "AP", "V1.0.0.0"},
    }};
    return table;
}

const UpdateProduct& applicationUpdateProduct() {
    return UpdateProductTable().back();
}

} // namespace v38
