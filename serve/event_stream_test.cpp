// The events the live pages follow: framed as the browser reads them, and
// each client given the newest of each kind, never a queue of old scenes.
#include "serve/event_stream.h"

#include <gtest/gtest.h>

#include <thread>

namespace sb {
namespace {

using namespace std::chrono_literals;

TEST(EventiPagina, FramedAsServerSentEvents) {
  const std::pair<std::string, std::string> casi[] = {
      {"{}", "event: scene\ndata: {}\n\n"},
      {"{\"a\":1,\n\"b\":2}\n", "event: scene\ndata: {\"a\":1,\ndata: \"b\":2}\n\n"},
      {"one\r\ntwo", "event: scene\ndata: one\ndata: two\n\n"},
      {"", "event: scene\ndata: \n\n"},
      {"a\n\nb", "event: scene\ndata: a\ndata: \ndata: b\n\n"},
  };
  for (const auto& [dati, atteso] : casi) EXPECT_EQ(evento_sse("scene", dati), atteso) << dati;
}

TEST(EventiPagina, AClientGetsTheNewestSceneAndCursorOnce) {
  centrale_eventi c;
  visti_cliente v;
  EXPECT_TRUE(attendi_eventi(c, v, 1ms).eventi.empty());
  pubblica_scena(c, "scene", "1");
  pubblica_cursore(c, evento_sse("cursor", "a"));
  EXPECT_EQ(pubblica_scena(c, "scene", "2"), 2u);
  pubblica_scena(c, "trouble", "3");
  pubblica_cursore(c, evento_sse("cursor", "b"));
  // A slow client skips what it was too slow for: the newest of each.
  prossimi_eventi p = attendi_eventi(c, v, 1ms);
  ASSERT_EQ(p.eventi.size(), 2u);
  EXPECT_EQ(*p.eventi[0], "id: 3\nevent: trouble\ndata: 3\n\n");
  EXPECT_EQ(*p.eventi[1], "event: cursor\ndata: b\n\n");
  EXPECT_TRUE(attendi_eventi(c, v, 1ms).eventi.empty());
  // A client that has scene 3 already waits for the next.
  visti_cliente w{3, 0};
  p = attendi_eventi(c, w, 1ms);
  ASSERT_EQ(p.eventi.size(), 1u);
  EXPECT_EQ(*p.eventi[0], "event: cursor\ndata: b\n\n");
}

TEST(EventiPagina, AWaitingClientWakesForAScene) {
  centrale_eventi c;
  visti_cliente v;
  std::thread editore([&c] {
    std::this_thread::sleep_for(20ms);
    pubblica_scena(c, "scene", "x");
  });
  const prossimi_eventi p = attendi_eventi(c, v, 60s);
  editore.join();
  ASSERT_EQ(p.eventi.size(), 1u);
  EXPECT_FALSE(p.fine);
}

TEST(EventiPagina, ClosingEndsEveryWait) {
  centrale_eventi c;
  visti_cliente v;
  std::thread chiusura([&c] {
    std::this_thread::sleep_for(20ms);
    chiudi_centrale(c);
  });
  const prossimi_eventi p = attendi_eventi(c, v, 60s);
  chiusura.join();
  EXPECT_TRUE(p.fine);
  EXPECT_TRUE(p.eventi.empty());
}

}  // namespace
}  // namespace sb
