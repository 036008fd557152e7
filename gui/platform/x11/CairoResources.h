// The artwork linked into the binary: tables of resources that register themselves before main,
// found through findResource under the ids the resource script gives them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gui::x11 {

struct LinkedResource {
    std::int32_t id;
    const char* type;
    const unsigned char* data;
    std::uint32_t size;
};

// Adds count resources to the module's; a later one of the same id and type replaces an earlier
// one. The table must outlive every use of the module.
void registerResources(const LinkedResource* table, std::size_t count);

}  // namespace gui::x11
