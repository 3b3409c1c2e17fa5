#include <gtest/gtest.h>

#include <orlodock/tk/interfaces.h>

namespace {

class IShape : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{6A1D3C52-7E0B-4F4A-9C1E-0F3B2A9D4E11}");
    virtual int Corners() = 0;
};

class IColoured : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{6a1d3c52-7e0b-4f4a-9c1e-0f3b2a9d4e12}");
    virtual int Colour() = 0;
};

class IUnused : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{6A1D3C52-7E0B-4F4A-9C1E-0F3B2A9D4E13}");
};

// A counted object, so the tests can see that every reference taken is given back.
class Square final : public IShape, public IColoured {
public:
    int refs = 0;
    bool QueryInterface(const tk::Guid& iid, void** out) override {
        return tk::AnswerInterface<IShape>(this, iid, out) || tk::AnswerInterface<IColoured>(this, iid, out) ||
               tk::AnswerInterface<tk::IInterface>(static_cast<IShape*>(this), iid, out);
    }
    int AddRef() override { return ++refs; }
    int Release() override { return --refs; }
    int Corners() override { return 4; }
    int Colour() override { return 0x00FF8000; }
};

TEST(Interfaces, QueryAsFindsEachImplementedInterfaceAndBalancesReferences) {
    Square sq;
    {
        tk::IPtr<IShape> shape = tk::QueryAs<IShape>(static_cast<IShape*>(&sq));
        ASSERT_TRUE(shape);
        EXPECT_EQ(shape->Corners(), 4);
        EXPECT_EQ(sq.refs, 1);
        tk::IPtr<IColoured> colour = tk::QueryAs<IColoured>(shape);
        ASSERT_TRUE(colour);
        EXPECT_EQ(colour->Colour(), 0x00FF8000);
        EXPECT_EQ(sq.refs, 2);
        tk::IPtr<IShape> copy = shape;
        EXPECT_EQ(sq.refs, 3);
        tk::IPtr<IShape> moved = std::move(copy);
        EXPECT_EQ(sq.refs, 3);
        EXPECT_FALSE(copy);
        EXPECT_TRUE(moved == shape);
        moved = nullptr;
        EXPECT_EQ(sq.refs, 2);
    }
    EXPECT_EQ(sq.refs, 0);
}

TEST(Interfaces, SupportsAndQueryAsOnMissingOrNull) {
    Square sq;
    EXPECT_TRUE(tk::Supports<IColoured>(static_cast<IShape*>(&sq)));
    EXPECT_FALSE(tk::Supports<IUnused>(static_cast<IShape*>(&sq)));
    EXPECT_FALSE(tk::QueryAs<IShape>(static_cast<tk::IInterface*>(nullptr)));
    tk::IPtr<IShape> out;
    EXPECT_TRUE(tk::Supports<IShape>(static_cast<IShape*>(&sq), out));
    EXPECT_EQ(out->Corners(), 4);
    out.reset();
    EXPECT_EQ(sq.refs, 0);
}

TEST(Interfaces, InterfaceCastRaisesForUnsupportedButNotForNull) {
    Square sq;
    try {
        tk::InterfaceCast<IUnused>(static_cast<IShape*>(&sq));
        FAIL() << "expected EIntfCastError";
    } catch (const tk::EIntfCastError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Interface not supported"));
    }
    EXPECT_FALSE(tk::InterfaceCast<IUnused>(nullptr));
    EXPECT_EQ(tk::InterfaceCast<IColoured>(static_cast<IShape*>(&sq))->Colour(), 0x00FF8000);
    EXPECT_EQ(sq.refs, 0);
}

TEST(Exceptions, AssertionCarriesMessageAndUnit) {
    try {
        tk::Assert(false, "SiblingZone <> Self", "OrloDockZones");
        FAIL() << "expected EAssertionFailed";
    } catch (const tk::EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("SiblingZone <> Self"));
        EXPECT_EQ(e.UnitName(), QStringLiteral("OrloDockZones"));
        EXPECT_NE(std::string(e.what()).find("OrloDockZones"), std::string::npos);
    }
    EXPECT_NO_THROW(tk::Assert(true, "never", "Nowhere"));
}

TEST(Exceptions, ReadErrorNamesThePosition) {
    const tk::EReadError e(QStringLiteral("Invalid tag"), 17);
    EXPECT_EQ(e.Position(), 17);
    EXPECT_NE(std::string(e.what()).find("17"), std::string::npos);
}

} // namespace
