// Fuzz target: a button reading a stored property set. Whatever the set holds
// (the button's keys in any case, with values of any type, enumerations out
// of range, pictures that do not decode, unknown keys), reading it and drawing
// never crashes; and what the button then writes is a set that a new button
// reads and writes back unchanged.

#include "button/property_keys.h"
#include "fuzzed_values.h"
#include "support/fake_host.h"

#include <QGuiApplication>
#include <cstdlib>
#include <vector>

namespace {

using namespace bastara;

// The button's keys, and the host's own size keys.
std::vector<std::u16string_view> storedKeys()
{
    std::vector<std::u16string_view> keys { u"_extentx", u"_extenty" };
    for (const button::PersistedProperty& row : button::persistedProperties())
        keys.push_back(row.key);
    return keys;
}

// What a button writes after reading `stored`.
properties::PropertySet writtenAfterReading(const properties::PropertySet& stored)
{
    button::test::FakeHost host(60, 20);
    host.bag = stored;
    button::Button control(host);
    host.control = &control;
    control.onHostReadProperties();
    host.bag = {};
    control.onHostWriteProperties();
    control.onHostTerminate();
    return host.bag;
}

// Drawing captions needs Qt's fonts: an application on the offscreen platform.
QGuiApplication& qtForText()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_button_properties";
    static char* argv[] = { name, nullptr };
    static QGuiApplication application(argc, argv);
    return application;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QGuiApplication& application = qtForText();
    (void)application;
    static const std::vector<std::u16string_view> keys = storedKeys();

    fuzz::ByteChoices choices(data, size);
    const properties::PropertySet stored = fuzz::propertySetFrom(choices, keys);
    const properties::PropertySet written = writtenAfterReading(stored);
    if (!(writtenAfterReading(written) == written))
        std::abort();
    return 0;
}
