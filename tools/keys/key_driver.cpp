#include "key_driver.h"

#include "json_text.h"

namespace rurozovizera::keys {

namespace {

constexpr std::string_view kTypePrefix = "type ";
constexpr std::string_view kTypeCommand = "type";

std::string_view jsonBool(bool value) { return value ? "true" : "false"; }

} // namespace

std::optional<std::string> KeyDriver::run(std::string_view line) {
    if (line.starts_with(kTypePrefix)) {
        auto text = decodeJsonString(line.substr(kTypePrefix.size()));
        if (!text)
            return std::nullopt;
        calculator_.type(*text);
        return report("type", calculator_.state(), {});
    }
    const auto key = keyWithCaption(line);
    if (!key)
        return std::nullopt;
    const PressResult result = press(calculator_, *key);
    return report(line, calculator_.state(), result);
}

std::string refusal(std::string_view line) {
    // "type" alone, or followed by a blank, was meant as typing.
    if (line == kTypeCommand || line.starts_with(kTypePrefix) ||
        (line.starts_with(kTypeCommand) && line[kTypeCommand.size()] == '\t'))
        return R"(type takes one blank and one JSON string literal, as in type "1 2")";
    std::string keys;
    for (const KeySpec& spec : kKeypad)
        keys.append(keys.empty() ? "" : " ").append(spec.caption);
    return "no key has that caption; the keys are " + keys + R"( (and type "TEXT" types))";
}

std::string report(std::string_view key, const CalculatorState& state, const PressResult& result) {
    std::string out;
    out.reserve(state.primary.text.size() + state.secondary.text.size() + 256);
    out.append("{\"key\":").append(encodeJsonString(key));
    out.append(",\"primary\":").append(encodeJsonString(state.primary.text));
    out.append(",\"primary_visible\":").append(jsonBool(state.primary.visible));
    out.append(",\"secondary\":").append(encodeJsonString(state.secondary.text));
    out.append(",\"secondary_visible\":").append(jsonBool(state.secondary.visible));
    out.append(",\"equals_enabled\":").append(jsonBool(state.equalsEnabled));
    out.append(",\"pending_key\":\"").append(hexDouble(state.pendingKey)).append("\"");
    out.append(",\"memory\":\"").append(hexDouble(state.memory)).append("\"");
    out.append(",\"error\":");
    if (result.error)
        out.append(encodeJsonString(describe(*result.error)));
    else
        out.append("null");
    out.append(",\"ignored\":").append(jsonBool(result.ignored)).append("}");
    return out;
}

} // namespace rurozovizera::keys
