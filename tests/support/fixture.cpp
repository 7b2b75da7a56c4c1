#include "support/fixture.h"

#include "tick/tick.h"

namespace brontix::testing {

Game::Game(std::initializer_list<float> startupDraws) {
    queue(startupDraws);
    form_ = std::make_unique<game::Form1>(services_);
    services_.createGameWindow();
    game::Form_Load(*form_);
    services_.showGameWindow();
}

void Game::queue(std::initializer_list<float> values) {
    for (float v : values) services_.queueRandom(v);
}

void Game::tick(int count) {
    for (int n = 0; n < count; ++n) tick::expire(*form_);
}

void Game::newGame(std::initializer_list<float> draws) {
    queue(draws);
    game::ng_Click(*form_);
}

void Game::newGameWithOneBrick() { newGameWithBricks({0}); }

void Game::newGameWithBricks(std::initializer_list<int> shown) {
    newGame();
    for (auto& brick : form_->Shape1) brick.Visible = false;
    for (int k : shown) form_->Shape1[k].Visible = true;
}

void Game::placeBall(int i, float x, float y, float vx, float vy, bool held) {
    game::GameState& st = form_->state;
    const int last = form_->Ball.UBound();
    game::ReDimPreserve(st.ballPos, last);
    game::ReDimPreserve(st.ballVel, last);
    game::ReDimPreserve(st.ballFade, last);
    game::ReDimPreserve(st.ballHeld, last);
    const auto n = static_cast<std::size_t>(i);
    form_->Ball[i].Visible = true;
    st.ballPos[n] = {x, y};
    st.ballVel[n] = {vx, vy};
    st.ballHeld[n] = held ? game::True : game::False;
}

}  // namespace brontix::testing
