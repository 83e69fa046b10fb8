#include "profiles/JsonAccess.h"

#include <cmath>

#include "platform/Trace.h"
#include "profiles/ProfileRecords.h"

namespace warden {
namespace {

bool IndexAllowed(int64_t index) {
    return index >= 0 && index <= kMaxJsonListIndex;
}

}  // namespace

Json::Value* Member(Json::Value* parent, const char* key) {
    if (parent == nullptr || !(parent->isNull() || parent->isObject())) return nullptr;
    return &(*parent)[key];
}

Json::Value* Element(Json::Value* parent, int64_t index) {
    if (parent == nullptr || !(parent->isNull() || parent->isArray())) return nullptr;
    if (!IndexAllowed(index)) return nullptr;
    return &(*parent)[static_cast<Json::ArrayIndex>(index)];
}

Json::ArrayIndex ListSize(const Json::Value* value) {
    return IsList(value) ? value->size() : 0;
}

int64_t ReadNumber(const Json::Value* value) {
    if (value == nullptr) return 0;
    switch (value->type()) {
        case Json::booleanValue:
            return value->asBool() ? 1 : 0;
        case Json::intValue:
            return value->asInt64();
        case Json::uintValue:
            return static_cast<int64_t>(value->asUInt64());
        case Json::realValue: {
            const double real = value->asDouble();
            constexpr double kLimit = 9.2e18;
            if (!std::isfinite(real) || real >= kLimit || real <= -kLimit) return 0;
            return static_cast<int64_t>(real);
        }
        default:
            return 0;
    }
}

bool ReadFlag(const Json::Value* value) {
    if (value == nullptr) return false;
    if (value->isBool()) return value->asBool();
    if (value->isDouble() && !value->isIntegral()) return value->asDouble() != 0.0;
    return ReadNumber(value) != 0;
}

std::string ReadText(const Json::Value* value) {
    return (value != nullptr && value->isString()) ? value->asString() : std::string();
}

Json::Value& WritableMember(Json::Value& parent, const char* key) {
    if (!parent.isObject()) parent = Json::Value(Json::objectValue);
    return parent[key];
}

Json::Value* WritableElement(Json::Value& parent, int64_t index) {
    if (!IndexAllowed(index)) {
        Trace("JSON list index %lld refused\n", static_cast<long long>(index));
        return nullptr;
    }
    if (!parent.isArray()) parent = Json::Value(Json::arrayValue);
    return &parent[static_cast<Json::ArrayIndex>(index)];
}

uint32_t ReadHalves(Json::Value* object, const char* low, const char* high) {
    return PackHalves(static_cast<uint32_t>(ReadNumber(Member(object, low))),
                      static_cast<uint32_t>(ReadNumber(Member(object, high))));
}

void WriteHalves(Json::Value& object, const char* low, const char* high, uint32_t word) {
    WritableMember(object, low) = LowHalf(word);
    WritableMember(object, high) = HighHalf(word);
}

}  // namespace warden
