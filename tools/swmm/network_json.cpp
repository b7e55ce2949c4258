#include "network_json.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace rivo::tool::swmm {

namespace {

// A number in its shortest form that reads back as the same double, laid out
// as the converter of the shared network collection writes it (Python's
// repr): plain digits with at least one after the point while the point
// falls within the first sixteen digits or at most three zeros after it,
// otherwise one digit, the rest after a point, and a signed two-digit or
// longer exponent (1e-05, 1.5e+16).
void AppendNumber(std::string& text, double value) {
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = scientific.find('e');
    std::string_view mantissa = scientific.substr(0, e);
    if (!mantissa.empty() && mantissa.front() == '-') {
        text += '-';
        mantissa.remove_prefix(1);
    }
    std::string digits(mantissa.substr(0, 1));
    if (mantissa.size() > 2) {
        digits += mantissa.substr(2);
    }
    int exponent = 0;
    const char* exponentStart = scientific.data() + e + 1;
    std::from_chars(exponentStart + (*exponentStart == '+' ? 1 : 0), end, exponent);
    const int point = exponent + 1;  // digits before the decimal point
    const int count = static_cast<int>(digits.size());
    if (point > -4 && point <= 16) {
        if (point <= 0) {
            text += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
        } else if (point >= count) {
            text += digits + std::string(static_cast<std::size_t>(point - count), '0') + ".0";
        } else {
            text += digits.substr(0, static_cast<std::size_t>(point)) + "." +
                    digits.substr(static_cast<std::size_t>(point));
        }
        return;
    }
    text += digits.substr(0, 1);
    if (count > 1) {
        text += "." + digits.substr(1);
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    text += exponent < 0 ? "e-" : "e+";
    text += magnitude < 10 ? "0" : "";
    text += std::to_string(magnitude);
}

// Builds one record on one line: `{"id":1,"x":0.0}`.
class Record {
public:
    Record& Int(const char* key, std::int64_t value) {
        Key(key);
        char digits[24];
        text_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
        return *this;
    }
    Record& Number(const char* key, double value) {
        Key(key);
        AppendNumber(text_, value);
        return *this;
    }
    Record& Bool(const char* key, bool value) {
        Key(key);
        text_ += value ? "true" : "false";
        return *this;
    }
    const std::string& Close() {
        text_ += '}';
        return text_;
    }

private:
    void Key(const char* key) {
        text_ += text_.size() > 1 ? ",\"" : "\"";
        text_ += key;
        text_ += "\":";
    }
    std::string text_ = "{";
};

std::string NodeLine(const host::Node& node) {
    Record record;
    record.Int("id", node.id).Number("x", node.x).Number("y", node.y).Int("type", node.type);
    if (node.pond) {
        record.Bool("pond", *node.pond);
    }
    if (node.storage) {
        record.Bool("storage", true);
    }
    return record.Close();
}

std::string LinkLine(const host::Link& link) {
    Record record;
    record.Int("id", link.id)
        .Int("source", link.source)
        .Int("target", link.target)
        .Number("sourceElevation", link.sourceElevation)
        .Number("targetElevation", link.targetElevation)
        .Number("size", link.size)
        .Int("type", link.type);
    if (link.length) {
        record.Number("length", *link.length);
    }
    return record.Close();
}

std::string PumpLine(const host::PumpLink& pump) {
    return Record()
        .Int("id", pump.id)
        .Int("upstream", pump.upstream)
        .Int("downstream", pump.downstream)
        .Close();
}

std::string GutterLine(const host::Gutter& gutter) {
    return Record()
        .Int("id", gutter.id)
        .Bool("sameDirectionAsUI", gutter.sameDirectionAsUI)
        .Close();
}

template <class Item, class Line>
void WriteArray(std::ostream& out, const char* name, const std::vector<Item>& items, Line line,
                bool last) {
    out << '"' << name << "\": [";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << (i == 0 ? "\n  " : ",\n  ") << line(items[i]);
    }
    out << (items.empty() ? "]" : "\n]") << (last ? "\n" : ",\n");
}

nlohmann::ordered_json NameObject(const std::vector<std::string>& names) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < names.size(); ++i) {
        json[std::to_string(i + 1)] = names[i];
    }
    return json;
}

}  // namespace

void WriteNetworkDocument(std::ostream& out, const host::Network& network) {
    out << "{\n";
    WriteArray(out, "nodes", network.nodes, NodeLine, false);
    WriteArray(out, "links", network.links, LinkLine, false);
    WriteArray(out, "pumpLinks", network.pumpLinks, PumpLine, false);
    WriteArray(out, "gutters", network.gutters, GutterLine, true);
    out << "}\n";
}

void WriteNameTable(std::ostream& out, const NameTable& names) {
    const nlohmann::ordered_json json{{"nodes", NameObject(names.nodes)},
                                      {"links", NameObject(names.links)},
                                      {"pumpLinks", NameObject(names.pumpLinks)}};
    out << json.dump(1) << '\n';
}

}  // namespace rivo::tool::swmm
