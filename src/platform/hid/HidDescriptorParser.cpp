#include "platform/hid/HidDescriptorParser.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace warden {
namespace {

// Item prefixes: type in bits 2-3, tag in bits 4-7.
constexpr uint8_t kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2;
constexpr uint8_t kLongItemPrefix = 0xFE;

enum MainTag : uint8_t {
    kMainInput = 0x8,
    kMainOutput = 0x9,
    kMainCollection = 0xA,
    kMainFeature = 0xB,
    kMainEndCollection = 0xC
};
enum GlobalTag : uint8_t {
    kGlobalUsagePage = 0x0,
    kGlobalLogicalMin = 0x1,
    kGlobalLogicalMax = 0x2,
    kGlobalPhysicalMin = 0x3,
    kGlobalPhysicalMax = 0x4,
    kGlobalUnitExp = 0x5,
    kGlobalUnit = 0x6,
    kGlobalReportSize = 0x7,
    kGlobalReportId = 0x8,
    kGlobalReportCount = 0x9,
    kGlobalPush = 0xA,
    kGlobalPop = 0xB
};
enum LocalTag : uint8_t {
    kLocalUsage = 0x0,
    kLocalUsageMin = 0x1,
    kLocalUsageMax = 0x2,
    kLocalDelimiter = 0xA
};

constexpr uint32_t kMainConstant = 0x01;
constexpr uint32_t kMainVariable = 0x02;
constexpr uint32_t kMainRelative = 0x04;
constexpr uint32_t kMainNullState = 0x40;

constexpr size_t kMaxGlobalStack = 16;
constexpr size_t kMaxLocalUsages = 1024;
constexpr uint32_t kMaxDataFieldBits = 32;
constexpr uint32_t kMaxReportBits = kHidMaxReportBytes * 8;

struct Globals {
    uint16_t usagePage = 0;
    uint32_t logicalMinRaw = 0, logicalMaxRaw = 0, physicalMinRaw = 0, physicalMaxRaw = 0;
    uint8_t logicalMinSize = 0, logicalMaxSize = 0, physicalMinSize = 0, physicalMaxSize = 0;
    uint32_t unitExp = 0;
    uint32_t unit = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// A usage or usage range with its page in the high 16 bits.
struct UsageEntry {
    uint32_t min = 0;
    uint32_t max = 0;
    bool isRange = false;
};

int64_t SignExtend(uint32_t raw, uint8_t size) {
    switch (size) {
        case 1:
            return static_cast<int8_t>(raw);
        case 2:
            return static_cast<int16_t>(raw);
        case 4:
            return static_cast<int32_t>(raw);
        default:
            return 0;
    }
}

// Minimum signed; maximum signed only when the minimum is negative, so that
// the common "0..255 in one byte" declaration reads as intended.
std::pair<int32_t, int32_t> SignedRange(uint32_t minRaw, uint8_t minSize, uint32_t maxRaw,
                                        uint8_t maxSize) {
    const int64_t min = SignExtend(minRaw, minSize);
    const int64_t max = min < 0 ? SignExtend(maxRaw, maxSize) : static_cast<int64_t>(maxRaw);
    auto clamp = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clamp(min), clamp(max)};
}

struct CollectionBuild {
    std::shared_ptr<HidPreparsedData> data;
    std::array<uint32_t, kHidReportTypeCount> dataIndices{};
    // Usage and page of each link collection node, the top one first.
    std::vector<std::pair<uint16_t, uint16_t>> links;
};

}  // namespace

// The item state of one parse; befriended by HidPreparsedData to fill it.
class HidDescriptorParserState {
public:
    bool Run(std::span<const uint8_t> d, HidDescriptorParseResult& result);
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const char* why) {
        m_error = why;
        return false;
    }
    bool Global(uint8_t tag, uint32_t value, uint8_t size);
    bool Local(uint8_t tag, uint32_t value, uint8_t size);
    bool Main(uint8_t tag, uint32_t value);
    bool Field(HidReportType type, uint32_t flags);
    bool AddCaps(CollectionBuild& c, HidReportType type, HidCapsEntry caps, bool isValue);
    uint32_t ExtendUsage(uint32_t value, uint8_t size) const {
        return size == 4 ? value : (static_cast<uint32_t>(m_globals.usagePage) << 16) | value;
    }
    void Finish(HidDescriptorParseResult& result);

    Globals m_globals;
    std::vector<Globals> m_stack;
    std::vector<UsageEntry> m_usages;
    bool m_haveUsageMin = false;
    uint32_t m_usageMin = 0;
    int m_delimiterDepth = 0;
    size_t m_delimiterUsages = 0;
    std::vector<CollectionBuild> m_collections;
    std::vector<uint16_t> m_linkStack;  // link node index per open collection level
    bool m_usesReportIds = false;
    // Bits used so far per report type and id, the id byte included.
    std::array<std::map<uint8_t, uint32_t>, kHidReportTypeCount> m_reportBits;
    std::string m_error;
};

bool HidDescriptorParserState::Run(std::span<const uint8_t> d, HidDescriptorParseResult& result) {
    if (d.size() > kHidMaxDescriptorBytes) return Fail("descriptor too long");
    size_t pos = 0;
    while (pos < d.size()) {
        const uint8_t prefix = d[pos];
        if (prefix == kLongItemPrefix) {
            if (pos + 3 > d.size()) return Fail("truncated long item");
            pos += 3 + static_cast<size_t>(d[pos + 1]);
            if (pos > d.size()) return Fail("truncated long item");
            continue;
        }
        static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
        const uint8_t size = kSizes[prefix & 3];
        if (pos + 1 + size > d.size()) return Fail("truncated item");
        uint32_t value = 0;
        for (uint8_t i = 0; i < size; ++i)
            value |= static_cast<uint32_t>(d[pos + 1 + i]) << (8 * i);
        pos += 1 + size;
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        bool ok = true;
        if (type == kTypeMain) {
            ok = Main(tag, value);
        } else if (type == kTypeGlobal) {
            ok = Global(tag, value, size);
        } else if (type == kTypeLocal) {
            ok = Local(tag, value, size);
        }  // reserved item types carry nothing we use
        if (!ok) return false;
    }
    if (!m_linkStack.empty()) return Fail("unbalanced collections");
    if (m_collections.empty()) return Fail("no top-level collection");
    Finish(result);
    return true;
}

bool HidDescriptorParserState::Global(uint8_t tag, uint32_t value, uint8_t size) {
    switch (tag) {
        case kGlobalUsagePage:
            m_globals.usagePage = static_cast<uint16_t>(value);
            break;
        case kGlobalLogicalMin:
            m_globals.logicalMinRaw = value, m_globals.logicalMinSize = size;
            break;
        case kGlobalLogicalMax:
            m_globals.logicalMaxRaw = value, m_globals.logicalMaxSize = size;
            break;
        case kGlobalPhysicalMin:
            m_globals.physicalMinRaw = value, m_globals.physicalMinSize = size;
            break;
        case kGlobalPhysicalMax:
            m_globals.physicalMaxRaw = value, m_globals.physicalMaxSize = size;
            break;
        case kGlobalUnitExp:
            m_globals.unitExp = value;
            break;
        case kGlobalUnit:
            m_globals.unit = value;
            break;
        case kGlobalReportSize:
            m_globals.reportSize = value;
            break;
        case kGlobalReportCount:
            m_globals.reportCount = value;
            break;
        case kGlobalReportId:
            if (value == 0 || value > 0xFF) return Fail("invalid report id");
            m_globals.reportId = static_cast<uint8_t>(value);
            m_usesReportIds = true;
            break;
        case kGlobalPush:
            if (m_stack.size() >= kMaxGlobalStack) return Fail("push stack overflow");
            m_stack.push_back(m_globals);
            break;
        case kGlobalPop:
            if (m_stack.empty()) return Fail("pop without push");
            m_globals = m_stack.back();
            m_stack.pop_back();
            break;
        default:
            break;
    }
    return true;
}

bool HidDescriptorParserState::Local(uint8_t tag, uint32_t value, uint8_t size) {
    if (tag == kLocalDelimiter) {
        if (value == 1) {
            if (m_delimiterDepth > 0) return Fail("nested delimiter");
            m_delimiterDepth = 1;
            m_delimiterUsages = 0;
        } else if (value == 0) {
            if (m_delimiterDepth == 0) return Fail("unbalanced delimiter");
            m_delimiterDepth = 0;
        }
        return true;
    }
    if (tag != kLocalUsage && tag != kLocalUsageMin && tag != kLocalUsageMax) return true;
    // Inside a delimited alias set only the first (preferred) usage counts.
    if (m_delimiterDepth > 0 && m_delimiterUsages++ > 0) return true;
    if (m_usages.size() >= kMaxLocalUsages) return Fail("too many usages");
    const uint32_t usage = ExtendUsage(value, size);
    if (tag == kLocalUsage) {
        m_usages.push_back({usage, usage, false});
    } else if (tag == kLocalUsageMin) {
        m_usageMin = usage;
        m_haveUsageMin = true;
    } else if (m_haveUsageMin) {
        // A range keeps the page of its minimum.
        uint32_t max = (m_usageMin & 0xFFFF0000u) | (usage & 0xFFFFu);
        if (max < m_usageMin) max = m_usageMin;
        m_usages.push_back({m_usageMin, max, true});
        m_haveUsageMin = false;
    }
    return true;
}

bool HidDescriptorParserState::Main(uint8_t tag, uint32_t value) {
    bool ok = true;
    switch (tag) {
        case kMainCollection: {
            const uint32_t usage = m_usages.empty() ? 0 : m_usages.front().min;
            const uint16_t page = static_cast<uint16_t>(usage >> 16);
            const uint16_t id = static_cast<uint16_t>(usage);
            if (m_linkStack.empty()) {
                if (m_collections.size() >= 0xFF) return Fail("too many collections");
                CollectionBuild c;
                c.data = std::make_shared<HidPreparsedData>();
                c.data->m_caps.usage = id;
                c.data->m_caps.usagePage = page;
                c.data->m_collectionIndex = static_cast<uint16_t>(m_collections.size());
                m_collections.push_back(std::move(c));
            }
            CollectionBuild& c = m_collections.back();
            if (c.links.size() >= kHidMaxCapsPerCollection) return Fail("too many collections");
            m_linkStack.push_back(static_cast<uint16_t>(c.links.size()));
            c.links.emplace_back(id, page);
            break;
        }
        case kMainEndCollection:
            if (m_linkStack.empty()) return Fail("unbalanced collections");
            m_linkStack.pop_back();
            break;
        case kMainInput:
            ok = Field(HidReportType::Input, value);
            break;
        case kMainOutput:
            ok = Field(HidReportType::Output, value);
            break;
        case kMainFeature:
            ok = Field(HidReportType::Feature, value);
            break;
        default:
            break;
    }
    m_usages.clear();
    m_haveUsageMin = false;
    m_delimiterDepth = 0;
    return ok;
}

bool HidDescriptorParserState::Field(HidReportType type, uint32_t flags) {
    if (m_linkStack.empty()) return Fail("main item outside a collection");
    const bool constant = (flags & kMainConstant) != 0;
    const uint64_t bits = uint64_t{m_globals.reportSize} * m_globals.reportCount;
    if (!constant && m_globals.reportSize > kMaxDataFieldBits) return Fail("report size too large");
    uint32_t& used =
        m_reportBits[static_cast<size_t>(type)].try_emplace(m_globals.reportId, 8u).first->second;
    if (used + bits > kMaxReportBits) return Fail("report too long");
    const uint32_t base = used;
    used += static_cast<uint32_t>(bits);

    CollectionBuild& c = m_collections.back();
    auto& ids = c.data->m_reportIds[static_cast<size_t>(type)];
    ids[m_globals.reportId / 64] |= uint64_t{1} << (m_globals.reportId % 64);
    if (constant || bits == 0 || m_usages.empty()) return true;

    const auto [logicalMin, logicalMax] =
        SignedRange(m_globals.logicalMinRaw, m_globals.logicalMinSize, m_globals.logicalMaxRaw,
                    m_globals.logicalMaxSize);
    const auto [physicalMin, physicalMax] =
        SignedRange(m_globals.physicalMinRaw, m_globals.physicalMinSize, m_globals.physicalMaxRaw,
                    m_globals.physicalMaxSize);
    HidCapsEntry proto;
    proto.reportId = m_globals.reportId;
    proto.isAbsolute = (flags & kMainRelative) == 0;
    proto.hasNull = (flags & kMainNullState) != 0;
    proto.bitField = static_cast<uint16_t>(flags);
    proto.linkCollection = m_linkStack.back();
    proto.linkUsage = c.links[proto.linkCollection].first;
    proto.linkUsagePage = c.links[proto.linkCollection].second;
    proto.bitSize = static_cast<uint16_t>(m_globals.reportSize);
    proto.logicalMin = logicalMin;
    proto.logicalMax = logicalMax;
    proto.physicalMin = physicalMin;
    proto.physicalMax = physicalMax;
    proto.unitsExp = m_globals.unitExp;
    proto.units = m_globals.unit;

    auto fill = [&](HidCapsEntry& caps, const UsageEntry& u, uint32_t count) {
        caps.usagePage = static_cast<uint16_t>(u.min >> 16);
        caps.usageMin = static_cast<uint16_t>(u.min);
        caps.usageMax = static_cast<uint16_t>(u.min + count - 1);
        caps.isRange = u.isRange;
    };
    if ((flags & kMainVariable) == 0) {
        // Array: every usage entry selects from the same elements.
        uint32_t selector = 0;
        for (const UsageEntry& u : m_usages) {
            HidCapsEntry caps = proto;
            const uint32_t count = u.max - u.min + 1;
            fill(caps, u, count);
            caps.isArray = true;
            caps.bitOffset = base;
            caps.reportCount = static_cast<uint16_t>(m_globals.reportCount);
            caps.selectorBase = selector;
            selector += count;
            if (!AddCaps(c, type, caps, false)) return false;
        }
        return true;
    }
    // Variable: usages take fields in order; a last single usage takes the
    // fields left over (a value array), other leftovers are padding.
    const bool isValue = m_globals.reportSize > 1;
    uint32_t field = 0;
    HidCapsEntry* last = nullptr;
    for (const UsageEntry& u : m_usages) {
        if (field >= m_globals.reportCount) break;
        const uint32_t count = std::min(u.max - u.min + 1, m_globals.reportCount - field);
        HidCapsEntry caps = proto;
        fill(caps, u, count);
        caps.bitOffset = base + field * m_globals.reportSize;
        caps.reportCount = static_cast<uint16_t>(count);
        field += count;
        if (!AddCaps(c, type, caps, isValue)) return false;
        auto& list = isValue ? c.data->m_valueCaps[static_cast<size_t>(type)]
                             : c.data->m_buttonCaps[static_cast<size_t>(type)];
        last = u.isRange ? nullptr : &list.back();
    }
    if (last != nullptr && field < m_globals.reportCount) {
        last->reportCount =
            static_cast<uint16_t>(last->reportCount + m_globals.reportCount - field);
    }
    return true;
}

bool HidDescriptorParserState::AddCaps(CollectionBuild& c, HidReportType type, HidCapsEntry caps,
                                       bool isValue) {
    const size_t t = static_cast<size_t>(type);
    auto& list = isValue ? c.data->m_valueCaps[t] : c.data->m_buttonCaps[t];
    if (c.data->m_buttonCaps[t].size() + c.data->m_valueCaps[t].size() >=
        kHidMaxCapsPerCollection) {
        return Fail("too many caps");
    }
    const uint32_t indices = uint32_t{caps.usageMax} - caps.usageMin + 1;
    caps.dataIndexMin = static_cast<uint16_t>(std::min<uint32_t>(c.dataIndices[t], 0xFFFF));
    c.dataIndices[t] = std::min<uint32_t>(c.dataIndices[t] + indices, 0x10000);
    caps.dataIndexMax = static_cast<uint16_t>(c.dataIndices[t] - 1);
    list.push_back(caps);
    return true;
}

void HidDescriptorParserState::Finish(HidDescriptorParseResult& result) {
    for (CollectionBuild& c : m_collections) {
        HidPreparsedData& data = *c.data;
        data.m_usesReportIds = m_usesReportIds;
        HidCaps& caps = data.m_caps;
        caps.numberLinkCollectionNodes = static_cast<uint16_t>(c.links.size());
        std::array<uint16_t, kHidReportTypeCount> lengths{};
        for (size_t t = 0; t < kHidReportTypeCount; ++t) {
            for (const auto& [id, bits] : m_reportBits[t]) {
                if ((data.m_reportIds[t][id / 64] >> (id % 64) & 1) == 0) continue;
                lengths[t] = std::max<uint16_t>(lengths[t], static_cast<uint16_t>((bits + 7) / 8));
            }
        }
        caps.inputReportByteLength = lengths[0];
        caps.outputReportByteLength = lengths[1];
        caps.featureReportByteLength = lengths[2];
        auto count = [&](size_t t, uint16_t& buttons, uint16_t& values, uint16_t& indices) {
            buttons = static_cast<uint16_t>(data.m_buttonCaps[t].size());
            values = static_cast<uint16_t>(data.m_valueCaps[t].size());
            indices = static_cast<uint16_t>(std::min<uint32_t>(c.dataIndices[t], 0xFFFF));
        };
        count(0, caps.numberInputButtonCaps, caps.numberInputValueCaps,
              caps.numberInputDataIndices);
        count(1, caps.numberOutputButtonCaps, caps.numberOutputValueCaps,
              caps.numberOutputDataIndices);
        count(2, caps.numberFeatureButtonCaps, caps.numberFeatureValueCaps,
              caps.numberFeatureDataIndices);
        result.collections.push_back(std::move(c.data));
    }
}

HidDescriptorParseResult HidDescriptorParser::Parse(std::span<const uint8_t> descriptor) {
    HidDescriptorParseResult result;
    HidDescriptorParserState impl;
    result.ok = impl.Run(descriptor, result);
    if (!result.ok) {
        result.error = impl.Error();
        result.collections.clear();
    }
    return result;
}

}  // namespace warden
