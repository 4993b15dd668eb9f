#include "platform/toolkit/form_file.h"
#include "support/temp_dir.h"

#include <QFile>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bastara::toolkit {
namespace {

    const char* const goodForm = R"json({
      "bastaraForm": 1,
      "name": "Sample", "caption": "A caption",
      "clientWidth": 4800, "clientHeight": 5310,
      "backColour": "0x00FFFFFF",
      "frame": "fixedToolWindow",
      "icon": ":/icon.ico",
      "showInTaskbar": false,
      "controls": [
        { "kind": "label", "name": "Label1", "left": 3360, "top": 240, "width": 1095, "height": 375,
          "text": "label text", "alignment": "right", "rightToLeft": true,
          "font": { "face": "Times New Roman", "size": 11.25, "weight": 700, "charset": 178 } },
        { "kind": "listBox", "name": "List1", "index": 2, "left": -15, "top": 0, "width": 0,
          "height": 30, "tabIndex": 3 },
        { "kind": "image", "name": "Image1", "left": 0, "top": 0, "width": 600, "height": 585,
          "picture": ":/add.png", "toolTip": "tip" },
        { "kind": "customButton", "name": "kzButtons_H1", "left": 0, "top": 0, "width": 10,
          "height": 10, "tabIndex": 1,
          "properties": {
            "caption": { "string": "go" }, "mode": { "int32": 0 }, "value": { "bool": -1 },
            "imgsize": { "int16": 40 }, "cback": { "colour": "0x8000000F" },
            "image": { "picture": "Qk0A" },
            "font": { "font": { "face": "Times New Roman", "size": 12, "weight": 400,
                                "italic": true, "underline": true, "charset": 0 } } } }
      ]
    })json";

    Result<FormLayout, FormFileError> parse(const std::string& json)
    {
        return parseFormFile(QByteArrayView(json.data(), static_cast<qsizetype>(json.size())));
    }

    TEST(FormFile, AGoodFileGivesEveryMember)
    {
        const auto form = parse(goodForm);
        ASSERT_TRUE(form.ok()) << form.error().message.toStdString();
        EXPECT_EQ(form->name, "Sample");
        EXPECT_EQ(form->caption, "A caption");
        EXPECT_EQ(form->clientWidth, 4800);
        EXPECT_EQ(form->clientHeight, 5310);
        EXPECT_EQ(form->backColour, properties::OleColor { 0x00FFFFFF });
        EXPECT_EQ(form->frame, FrameKind::FixedToolWindow);
        EXPECT_EQ(form->icon, ":/icon.ico");
        EXPECT_FALSE(form->showInTaskbar);
        ASSERT_EQ(form->controls.size(), 4u);

        const ControlLayout& label = form->controls[0];
        EXPECT_EQ(label.kind, "label");
        EXPECT_FALSE(label.index.has_value());
        EXPECT_EQ(label.geometry.left, 3360);
        EXPECT_EQ(label.geometry.height, 375);
        EXPECT_EQ(label.alignment, TextAlignment::Right);
        EXPECT_TRUE(label.rightToLeft);
        ASSERT_TRUE(label.font.has_value());
        EXPECT_EQ(label.font->name, u"Times New Roman");
        EXPECT_DOUBLE_EQ(label.font->points, 11.25);
        EXPECT_EQ(label.font->weight, 700);
        EXPECT_EQ(label.font->charset, 178);
        EXPECT_FALSE(label.tabIndex.has_value());

        const ControlLayout& list = form->controls[1];
        EXPECT_EQ(list.index, 2);
        EXPECT_EQ(list.displayName(), "List1(2)");
        EXPECT_EQ(list.geometry.left, -15);
        EXPECT_EQ(list.tabIndex, 3);
        EXPECT_EQ(form->controls[2].picture, ":/add.png");
        EXPECT_EQ(form->controls[2].toolTip, "tip");
    }

    TEST(FormFile, PropertiesKeepTheirTypesAndIgnoreCase)
    {
        const auto form = parse(goodForm);
        ASSERT_TRUE(form.ok()) << form.error().message.toStdString();
        const properties::PropertySet& properties = form->controls[3].properties;
        EXPECT_EQ(properties.size(), 7u);
        EXPECT_EQ(*properties.readAs<std::u16string>(u"Caption", u""), u"go");
        EXPECT_EQ(*properties.readAs<int32_t>(u"MODE", 7), 0);
        EXPECT_EQ(properties.readAs<properties::Bool16>(u"Value", {})->value(), -1);
        EXPECT_TRUE(std::holds_alternative<int16_t>(*properties.find(u"ImgSize")));
        EXPECT_EQ(properties.readAs<properties::OleColor>(u"cBack", {})->value, 0x8000000Fu);
        // Bytes that are no picture stay a value, to be refused by the control alone.
        const auto image = properties.readAs<properties::PictureValue>(u"Image", {});
        EXPECT_EQ(image->fileBytes().size(), 3u);
        EXPECT_FALSE(image->picture());
        const auto font = properties.readAs<properties::FontDescription>(u"Font", {});
        ASSERT_TRUE(font.ok());
        EXPECT_TRUE(font->italic);
        EXPECT_TRUE(font->underline);
        EXPECT_FALSE(font->strikethrough);
        EXPECT_EQ(font->weight, 400);
    }

    struct Malformed {
        const char* what;
        std::string json;
        const char* messagePart;
    };

    // A JSON object from members in order; a later member of the same name
    // replaces the earlier one, so each case changes one thing.
    std::string object(const std::vector<std::pair<std::string, std::string>>& members)
    {
        std::vector<std::pair<std::string, std::string>> merged;
        for (const auto& member : members) {
            auto same = std::find_if(merged.begin(), merged.end(),
                [&](const auto& existing) { return existing.first == member.first; });
            if (same != merged.end())
                same->second = member.second;
            else
                merged.push_back(member);
        }
        std::string json = "{";
        for (const auto& [name, value] : merged)
            json += (json.size() > 1 ? ", \"" : "\"") + name + "\": " + value;
        return json + "}";
    }

    std::string withForm(const std::string& name, const std::string& value)
    {
        return object({ { "bastaraForm", "1" }, { "name", "\"F\"" }, { "caption", "\"\"" },
            { "clientWidth", "15" }, { "clientHeight", "15" }, { "frame", "\"fixedDialog\"" },
            { "controls", "[]" }, { name, value } });
    }

    // A form with one label whose member `name` is `value`.
    std::string withControl(const std::string& name, const std::string& value)
    {
        const std::string label
            = object({ { "kind", "\"label\"" }, { "name", "\"L\"" }, { "left", "0" },
                { "top", "0" }, { "width", "15" }, { "height", "15" }, { name, value } });
        return withForm("controls", "[" + label + "]");
    }

    class MalformedFormFile : public ::testing::TestWithParam<Malformed>
    { };

    std::string caseName(const ::testing::TestParamInfo<Malformed>& info)
    {
        std::string name;
        bool upper = true;
        for (const char* c = info.param.what; *c; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c))) {
                name
                    += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
                upper = false;
            } else {
                upper = true;
            }
        }
        return name;
    }

    TEST_P(MalformedFormFile, IsRefusedWithAMessageSayingWhere)
    {
        const auto form = parse(GetParam().json);
        ASSERT_FALSE(form.ok()) << GetParam().what;
        EXPECT_TRUE(form.error().message.contains(QString::fromUtf8(GetParam().messagePart)))
            << GetParam().what << ": " << form.error().message.toStdString();
    }

    INSTANTIATE_TEST_SUITE_P(Cases, MalformedFormFile,
        ::testing::Values(Malformed { "not JSON", "{\"bastaraForm\": 1,", "not a JSON document" },
            Malformed { "an array", "[1, 2]", "not a JSON object" },
            Malformed { "empty", "", "not a JSON document" },
            Malformed { "a later version", R"({"bastaraForm": 2})", "version 1 only" },
            Malformed { "no version", R"({"name": "F"})", "form.bastaraForm: missing" },
            Malformed {
                "a misspelt member", withForm("captoin", R"("x")"), "form.captoin: unknown" },
            Malformed { "a frame nobody knows", withForm("frame", R"("sizable")"), "frame" },
            Malformed { "a default button that is no control",
                withForm("defaultButton", R"("Missing1")"), "defaultButton: names no control" },
            Malformed { "a zero client width", withForm("clientWidth", R"(0)"), "clientWidth" },
            Malformed { "a colour name", withForm("backColour", R"("white")"), "0x00BBGGRR" },
            Malformed { "a colour too long", withForm("backColour", R"("0x1FFFFFFFF")"), "colour" },
            Malformed {
                "controls not an array", withForm("controls", R"({})"), "expected an array" },
            Malformed {
                "a fractional coordinate", withControl("left", R"(1.5)"), "controls[0].left" },
            Malformed { "a coordinate past 16-bit pixels", withControl("top", R"(491520)"),
                "controls[0].top" },
            Malformed { "a negative width", withControl("width", R"(-15)"), "controls[0].width" },
            Malformed { "a string for a number", withControl("height", R"("15")"), "whole number" },
            Malformed { "an empty kind", withControl("kind", R"("")"), "controls[0].kind: empty" },
            Malformed {
                "a text that is a number", withControl("text", R"(5)"), "expected a string" },
            Malformed {
                "an unknown alignment", withControl("alignment", R"("justify")"), "alignment" },
            Malformed { "a font of size 0",
                withControl("font", R"({"face": "A", "size": 0, "weight": 400, "charset": 0})"),
                "controls[0].font.size" },
            Malformed { "a font with charset 300",
                withControl("font", R"({"face": "A", "size": 8, "weight": 400, "charset": 300})"),
                "font.charset" },
            Malformed { "a font without a face",
                withControl("font", R"({"face": "", "size": 8, "weight": 400, "charset": 0})"),
                "font.face: empty" },
            Malformed { "a property with two types",
                withControl("properties", R"({"mode": {"int32": 0, "bool": true}})"),
                "one member naming" },
            Malformed { "a Boolean of 1", withControl("properties", R"({"value": {"bool": 1}})"),
                "value.bool" },
            Malformed { "a Boolean written true",
                withControl("properties", R"({"value": {"bool": true}})"), "value.bool" },
            Malformed { "a picture that is not base64",
                withControl("properties", R"({"image": {"picture": "not base64!"}})"),
                "expected base64" },
            Malformed { "a property of an unknown type",
                withControl("properties", R"({"mode": {"long": 0}})"), "unknown value type" },
            Malformed { "a 16-bit property out of range",
                withControl("properties", R"({"imgsize": {"int16": 40000}})"), "imgsize.int16" },
            Malformed { "a property that is not typed", withControl("properties", R"({"mode": 0})"),
                "controls[0].properties.mode" },
            Malformed { "property keys differing in case",
                withControl(
                    "properties", R"({"Caption": {"string": "a"}, "caption": {"string": "b"}})"),
                "repeats a key" },
            Malformed { "an empty property key",
                withControl("properties", R"({"": {"string": "a"}})"), "empty property key" }),
        caseName);

    TEST(FormFile, ControlNamesMustBeUniqueWithoutRegardToCase)
    {
        const std::string control = R"("left": 0, "top": 0, "width": 15, "height": 15)";
        auto form = [&](const std::string& a, const std::string& b) {
            return R"({"bastaraForm": 1, "name": "F", "caption": "", "clientWidth": 15,
                "clientHeight": 15, "frame": "fixedDialog", "controls": [{"kind": "label", )"
                + a + ", " + control + R"(}, {"kind": "label", )" + b + ", " + control + "}]}";
        };
        const auto repeated
            = parse(form(R"("name": "List1", "index": 0)", R"("name": "list1", "index": 0)"));
        ASSERT_FALSE(repeated.ok());
        EXPECT_TRUE(repeated.error().message.contains("repeats controls[0]"));
        const auto mixed = parse(form(R"("name": "List1", "index": 0)", R"("name": "List1")"));
        ASSERT_FALSE(mixed.ok());
        EXPECT_TRUE(mixed.error().message.contains("both as a single control and as an array"));
        EXPECT_TRUE(
            parse(form(R"("name": "List1", "index": 0)", R"("name": "List1", "index": 1)")).ok());
    }

    TEST(FormFile, EveryTruncationOfAGoodFileIsRefusedCleanly)
    {
        const std::string good = goodForm;
        for (std::size_t length = 0; length + 1 < good.size(); ++length)
            EXPECT_FALSE(parse(good.substr(0, length)).ok()) << "cut at " << length;
    }

    // Every value type, fonts and pictures included, and every optional member
    // set and left out: what is written reads back as the same layout.
    TEST(FormFile, AWrittenLayoutReadsBackTheSame)
    {
        auto form = parse(goodForm);
        ASSERT_TRUE(form.ok());
        properties::PropertySet& set = form->controls[3].properties;
        set.write(u"Focus", properties::kFalse);
        set.write(u"mPointer", std::int16_t(-7));
        set.write(u"CustomClick", std::int32_t(-2147483647 - 1));
        set.write(u"cBHover", properties::OleColor(0xFFFFFFFF));
        set.write(u"Caption", std::u16string(u"\"quoted\" ساخت ||"));
        // A leading U+FEFF is a character, not a byte order mark.
        set.write(u"Tag", std::u16string(u"\uFEFFtag"));
        set.write(
            u"Font", properties::FontDescription { u"Serif", 9.75, 300, true, false, true, 178 });
        auto bitmap = gdi::createDibSection(2, 1);
        bitmap->setColorAt(1, 0, 0x123456);
        set.write(u"Image",
            properties::PictureValue::fromPicture(std::make_shared<const gdi::Picture>(
                gdi::Picture::fromBitmap(bitmap, gdi::PictureFormat::Bmp))));
        form->controls[1].alignment = TextAlignment::Centre;
        form->controls[2].backColour = properties::OleColor(0x8000000F);
        form->defaultButton = form->controls[3].name;
        form->showInTaskbar = !form->showInTaskbar;

        const auto reread = parseFormFile(formFileBytes(*form));
        ASSERT_TRUE(reread.ok()) << reread.error().message.toStdString();
        EXPECT_EQ(*reread, *form);
        const auto picture
            = reread->controls[3].properties.readAs<properties::PictureValue>(u"image", {});
        ASSERT_TRUE(picture->picture());
        EXPECT_EQ(picture->picture()->bitmap()->colorAt(1, 0), 0x123456u);
        // Keys are stored in lower case.
        EXPECT_TRUE(formFileBytes(*form).contains("\"cbhover\""));
    }

    TEST(FormFile, AMissingFileIsReportedWithItsPath)
    {
        const auto form = loadFormFile(QStringLiteral("/nonexistent/form.json"));
        ASSERT_FALSE(form.ok());
        EXPECT_TRUE(form.error().message.contains("/nonexistent/form.json"));
        const auto saved = saveFormFile(*parse(goodForm), QStringLiteral("/nonexistent/form.json"));
        ASSERT_FALSE(saved.ok());
        EXPECT_TRUE(saved.error().message.contains("/nonexistent/form.json"));
    }

    // A stray huge file is refused before it is read into memory.
    TEST(FormFile, AFileTooLargeForAFormIsRefusedUnread)
    {
        const bastara::testing::TempDir folder;
        const QString path = QString::fromStdString((folder.path() / "huge.json").string());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(maxFormFileBytes + 1));
        file.close();
        const auto form = loadFormFile(path);
        ASSERT_FALSE(form.ok());
        EXPECT_TRUE(form.error().message.contains("huge.json"))
            << form.error().message.toStdString();
        EXPECT_TRUE(form.error().message.contains("too large"))
            << form.error().message.toStdString();
    }

    TEST(FormFile, ASavedFileLoadsBack)
    {
        const bastara::testing::TempDir folder;
        const QString path = QString::fromStdString((folder.path() / "form.json").string());
        const auto form = parse(goodForm);
        ASSERT_TRUE(saveFormFile(*form, path).ok());
        const auto loaded = loadFormFile(path);
        ASSERT_TRUE(loaded.ok());
        EXPECT_EQ(*loaded, *form);
    }

} // namespace
} // namespace bastara::toolkit
