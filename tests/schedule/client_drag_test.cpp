// What a dragged client carries: the number goes out and comes back, and
// nothing else passes for a client.
#include "schedule/client_drag.h"

#include <QMimeData>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ClientDrag, OnlyAPositiveNumberInOurTypeIsAClient) {
    EXPECT_EQ(lum::decodeClientDrag(lum::encodeClientDrag(1)), 1);
    EXPECT_EQ(lum::decodeClientDrag(lum::encodeClientDrag(2147483647)), 2147483647);
    const struct {
        const char* payload;
    } refused[] = {{""}, {"0"}, {"-5"}, {"+5"}, {" 5"}, {"5 "}, {"5x"}, {"2147483648"}, {"12; DROP TABLE Schedule"},
                   {"１２"}};
    for (const auto& c : refused) {
        EXPECT_EQ(lum::decodeClientDrag(QByteArray(c.payload)), std::nullopt) << c.payload;
    }
    const std::unique_ptr<QMimeData> ours(lum::clientDragMimeData(42));
    EXPECT_TRUE(lum::isClientDrag(ours.get()));
    EXPECT_EQ(lum::decodeClientDrag(ours->data(lum::ClientDragMimeType)), 42);
    QMimeData text;
    text.setText(QStringLiteral("42"));
    EXPECT_FALSE(lum::isClientDrag(&text));
    EXPECT_FALSE(lum::isClientDrag(nullptr));
}

}  // namespace
