// Every value the programs read, malformed every way, over the in-memory registry (the same
// table runs over advapi32 in the Win32 tests).

#include <gtest/gtest.h>

#include <memory>

#include "MalformedValues.h"
#include "MemoryRegistry.h"

namespace {

using namespace pausarium::testing::malformed;
using pausarium::testing::MemoryRegistry;

class MemoryStore : public ValueStore {
public:
    pausarium::RegistryBackend& backend() override { return *tree_; }
    void clear() override {
        EXPECT_EQ(tree_->openKeyCount(), 0u) << "a key was left open";
        tree_ = std::make_unique<MemoryRegistry>();
    }
    void put(RootKey root, const std::string& key, const std::string& name, const StoredValue& value) override {
        tree_->setRaw(root, key, name, {value.type, value.data});
    }
    std::optional<StoredValue> get(RootKey root, const std::string& key, const std::string& name) override {
        const auto value = tree_->value(root, key, name);
        if (!value) return std::nullopt;
        return StoredValue{value->type, value->data};
    }
    void makeReadOnly(RootKey root, const std::string& key) override { tree_->denyFullAccess(root, key); }

private:
    std::unique_ptr<MemoryRegistry> tree_ = std::make_unique<MemoryRegistry>();
};

}  // namespace

TEST(MalformedValues, RegimeTypeOfEveryTypeAndSize) {
    MemoryStore store;
    checkReminderValue(store, "RegimeType");
}

TEST(MalformedValues, ProtectionLevelOfEveryTypeAndSize) {
    MemoryStore store;
    checkReminderValue(store, "ProtectionLevel");
}

TEST(MalformedValues, AutorunValueOfEveryTypeAndSize) {
    MemoryStore store;
    checkAutorunValue(store);
}

TEST(MalformedValues, KeysThatMayBeReadButNotWritten) {
    MemoryStore store;
    checkReadOnlyKeys(store);
}
