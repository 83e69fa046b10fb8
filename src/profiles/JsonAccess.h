#pragma once
// Lookups into JSON trees of our files that never throw. Reads behave like
// JsonCpp's mutable access (an absent member is added as null, a null value
// that is indexed becomes an object or array), so a file saved afterwards
// keeps the looked-up keys as null. A value of the wrong JSON type reads as
// absent and is left as it is; writes replace it with the right type.

#include <json/json.h>

#include <cstdint>
#include <string>

namespace warden {

// Indexes above this are refused: no file of ours holds longer lists, and a
// huge index from a damaged file would make every later save write that many
// nulls.
inline constexpr int64_t kMaxJsonListIndex = 1023;

// Reads. Each returns nullptr when `parent` is nullptr, is neither null nor
// of the container type, or (elements) the index is negative or too large.
Json::Value* Member(Json::Value* parent, const char* key);
Json::Value* Element(Json::Value* parent, int64_t index);

inline bool IsSet(const Json::Value* value) {
    return value != nullptr && !value->isNull();
}
inline bool IsObject(const Json::Value* value) {
    return value != nullptr && value->isObject();
}
inline bool IsList(const Json::Value* value) {
    return value != nullptr && value->isArray();
}
// Number of elements of a list; 0 for anything else.
Json::ArrayIndex ListSize(const Json::Value* value);

// A number as a 64-bit integer: booleans 0 or 1, reals truncated; 0 for
// absent, null, out-of-range or non-numeric values. Callers cut it to the
// width of their field.
int64_t ReadNumber(const Json::Value* value);
// Any non-zero number or true is set; everything else is not.
bool ReadFlag(const Json::Value* value);
// A string's UTF-8 bytes; empty for anything else.
std::string ReadText(const Json::Value* value);

// Writes. `parent` becomes an object (or list) first when it is not one.
// WritableElement returns nullptr when the index is refused.
Json::Value& WritableMember(Json::Value& parent, const char* key);
Json::Value* WritableElement(Json::Value& parent, int64_t index);

// A system stage word: members `low` and `high` of `object`, read as numbers,
// as its low and high halves; absent members count 0.
uint32_t ReadHalves(Json::Value* object, const char* low, const char* high);
// Writes the halves of `word` as members `low` and `high` of `object`.
void WriteHalves(Json::Value& object, const char* low, const char* high, uint32_t word);

}  // namespace warden
