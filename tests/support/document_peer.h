#pragma once
// Runs tests/support/document_peer, another workstation saving a care
// document, on a scratch database: the arguments after the connection, user
// and password (the kind and its values); its standard output. A peer that
// does not end, or ends with an error, fails the test.
#include "support/database_fixture.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace lum::test {

inline QByteArray runDocumentPeer(const ScratchDatabase& database, const QStringList& document) {
    QProcess peer;
    peer.start(QStringLiteral(LUMORIND_DOCUMENT_PEER),
               QStringList{database.connectionString(), testPgUser(), testPgPassword()} + document);
    EXPECT_TRUE(peer.waitForFinished(30000));
    EXPECT_EQ(peer.exitCode(), 0) << peer.readAllStandardError().toStdString();
    return peer.readAllStandardOutput();
}

}  // namespace lum::test
