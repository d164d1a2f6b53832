<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>HandList</name>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="289"/>
        <source>Jogar na ponta A</source>
        <translation>Lay on end A</translation>
    </message>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="290"/>
        <source>Jogar na ponta B</source>
        <translation>Lay on end B</translation>
    </message>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="309"/>
        <source>Uma pedra da sua mão</source>
        <translation>A tile of your hand</translation>
    </message>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="367"/>
        <source>Sua mão</source>
        <translation>Your hand</translation>
    </message>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="369"/>
        <source>Suas pedras, cada uma com onde joga; H lê a mão, E lê a mesa</source>
        <translation>Your tiles, each with where it goes; H reads the hand, E the table</translation>
    </message>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="390"/>
        <source>A mesa: as pontas, os passes e as pedras nas mãos</source>
        <translation>The table: the ends, the passes and the tiles in hand</translation>
    </message>
</context>
<context>
    <name>HelpLauncher</name>
    <message>
        <location filename="../../table/help_launcher.cpp" line="80"/>
        <source>A ajuda não foi encontrada. Ela é procurada em:

%1</source>
        <translation>The help was not found. It is looked for in:

%1</translation>
    </message>
    <message>
        <location filename="../../table/help_launcher.cpp" line="84"/>
        <source>Nenhum programa pôde ser aberto para mostrar a ajuda.

As páginas podem ser abertas em qualquer navegador:

%1</source>
        <translation>No program could be started to show the help.

Its pages can be opened in any browser:

%1</translation>
    </message>
</context>
<context>
    <name>TableStatus</name>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="265"/>
        <source>Nenhuma mão em jogo</source>
        <translation>No hand in play</translation>
    </message>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="269"/>
        <source>O que acontece na mesa</source>
        <translation>What happens at the table</translation>
    </message>
</context>
<context>
    <name>TableView</name>
    <message>
        <location filename="../../table/table_accessibility.cpp" line="422"/>
        <source>Setas: escolher uma pedra; Enter ou seta para cima: jogá-la; A ou B: a ponta; P: passar a vez; Espaço: pegar uma pedra; F1: ajuda</source>
        <translation>Arrows: choose a domino; Enter or Up: play it; A or B: the end; P: pass; Space: take a domino; F1: help</translation>
    </message>
</context>
<context>
    <name>tavolix::Form1</name>
    <message>
        <location filename="../../table/form1.cpp" line="55"/>
        <location filename="../../table/form1.cpp" line="418"/>
        <source>Mesa de dominó</source>
        <translation>Domino table</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="38"/>
        <source>Este link não leva a uma mesa do Tavolix:
%1</source>
        <translation>This link does not lead to a Tavolix table:
%1</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="208"/>
        <source>A partida não pôde ser guardada em:
%1

(%2)

O jogo continua, mas se for fechado ela não poderá ser continuada. Libere espaço no disco ou corrija as permissões dessa pasta.</source>
        <translation>The match could not be saved to:
%1

(%2)

The game goes on, but if it is closed the match cannot be continued. Free some disk space or correct the permissions of that folder.</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="211"/>
        <source>O arquivo da partida anterior não pôde ser apagado:
%1

(%2)

Corrija as permissões dessa pasta; o jogo continua.</source>
        <translation>The file of the previous match could not be removed:
%1

(%2)

Correct the permissions of that folder; the game goes on.</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="221"/>
        <source>As suas estatísticas não puderam ser gravadas em:
%1

(%2)

O jogo continua, mas esta partida não ficará nas estatísticas. Libere espaço no disco ou corrija as permissões dessa pasta.</source>
        <translation>Your statistics could not be saved to:
%1

(%2)

The game goes on, but this match will not stay in your statistics. Free some disk space or correct the permissions of that folder.</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="238"/>
        <source>não pode ser lido</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="241"/>
        <source>não é um arquivo comum</source>
        <translation>is not an ordinary file</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="244"/>
        <source>está danificado</source>
        <translation>is damaged</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="270"/>
        <source>O arquivo das suas estatísticas %1 e não pôde ser tirado do lugar:
%2

Enquanto o jogo estiver aberto, ele não será lido nem alterado, e as partidas não serão anotadas nele.</source>
        <translation>The file of your statistics %1 and could not be moved out of the way:
%2

While the game is open it will be neither read nor changed, and no match will be added to it.</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="268"/>
        <source>O arquivo das suas estatísticas %1 e foi guardado como:
%2

As estatísticas recomeçam do zero.</source>
        <translation>The file of your statistics %1 and was kept as:
%2

Your statistics start again from zero.</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="282"/>
        <source>A partida interrompida não pôde ser retomada: o arquivo dela %1. Uma nova partida vai começar.

O arquivo não pôde ser tirado do lugar:
%2

Enquanto o jogo estiver aberto, ele não será lido nem alterado, e as partidas não serão guardadas.</source>
        <translation>The unfinished match could not be picked up again: its file %1. A new match will begin.

The file could not be moved out of the way:
%2

While the game is open it will be neither read nor changed, and matches will not be saved.</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="280"/>
        <source>A partida interrompida não pôde ser retomada: o arquivo dela %1. Uma nova partida vai começar.

O arquivo foi guardado como:
%2</source>
        <translation>The unfinished match could not be picked up again: its file %1. A new match will begin.

The file was kept as:
%2</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="290"/>
        <source>Uma partida ficou por terminar. Deseja continuá-la?</source>
        <translation>A match was left unfinished. Do you want to continue it?</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="292"/>
        <source>Continuar</source>
        <translation>Continue</translation>
    </message>
    <message>
        <location filename="../../table/form1.cpp" line="293"/>
        <source>Nova partida</source>
        <translation>New match</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="55"/>
        <source>Deixar a mesa online? Um computador jogará no seu lugar até o fim da partida.</source>
        <translation>Leave the table online? A computer player will take your seat until the end of the match.</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="58"/>
        <source>Deixar a mesa</source>
        <translation>Leave the table</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="59"/>
        <source>Ficar</source>
        <translation>Stay</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="71"/>
        <source>O jogo online não está disponível: falta o módulo tavolix-online, ou ele não pôde ser carregado (procurado em %1).</source>
        <translation>Online play is not available: the tavolix-online module is missing or could not be loaded (looked for in %1).</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="99"/>
        <source>A mesa não pôde ser aberta neste computador:
%1

Escolha outra porta.</source>
        <translation>The table could not be opened on this computer:
%1

Choose another port.</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="131"/>
        <source>A partida online terminou. &apos;Novo Jogo&apos; volta ao jogo contra o computador; &apos;Jogar online&apos; abre ou procura outra mesa.</source>
        <translation>The match online is over. &apos;New Game&apos; goes back to playing the computer; &apos;Play online&apos; opens or finds another table.</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="136"/>
        <source>Este lugar foi retomado em outro computador.</source>
        <translation>This seat was taken back on another computer.</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="138"/>
        <source>O servidor mandou uma mensagem que o jogo não entende (%1).</source>
        <translation>The server sent a message the game does not understand (%1).</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="151"/>
        <source>Conectando a %1...</source>
        <translation>Connecting to %1...</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="188"/>
        <source>O lugar guardado numa mesa online não pôde ser lido: o arquivo dele %1 e foi guardado como:
%2</source>
        <translation>The seat kept at a table online could not be read: its file %1 and was kept as:
%2</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="190"/>
        <source>O lugar guardado numa mesa online não pôde ser lido: o arquivo dele %1 e não pôde ser tirado do lugar:
%2</source>
        <translation>The seat kept at a table online could not be read: its file %1 and could not be moved out of the way:
%2</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="198"/>
        <source>Você estava numa partida online (mesa %1 em %2). Deseja voltar a ela?</source>
        <translation>You were in a match online (table %1 at %2). Do you want to go back to it?</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="201"/>
        <source>este computador</source>
        <translation>this computer</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="204"/>
        <source>Voltar à mesa</source>
        <translation>Back to the table</translation>
    </message>
    <message>
        <location filename="../../table/form1_online.cpp" line="205"/>
        <source>Não</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>tavolix::FrmFimdeJogo</name>
    <message>
        <location filename="../../dialogs/frm_fimde_jogo.cpp" line="53"/>
        <source>Fim de Jogo</source>
        <translation>Game over</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_fimde_jogo.cpp" line="81"/>
        <source>Fecha esta janela (Enter)</source>
        <translation>Closes this window (Enter)</translation>
    </message>
</context>
<context>
    <name>tavolix::FrmNovoJogo</name>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="73"/>
        <source>Tavolix - Novo jogo</source>
        <translation>Tavolix - New Game</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="74"/>
        <source>Sair</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="74"/>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="79"/>
        <source>Seu nome:</source>
        <translation>Your name:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="85"/>
        <source>O seu nome, mostrado ao lado da sua mão</source>
        <translation>Your name, shown beside your hand</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="88"/>
        <source>Tipo de jogo:</source>
        <translation>Kind of game:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="90"/>
        <source>Sentido do jogo:</source>
        <translation>Direction of play:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="97"/>
        <source>Modificar regras</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="99"/>
        <source>Jogar</source>
        <translation>Play</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="100"/>
        <source>Jogar online</source>
        <translation>Play online</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="101"/>
        <source>Abre ou entra numa mesa pela rede, com outras pessoas</source>
        <translation>Opens or joins a table on the network, with other people</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="102"/>
        <source>Abre as regras da partida</source>
        <translation>Opens the rules of the match</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="103"/>
        <source>Sai do jogo (Esc)</source>
        <translation>Leaves the game (Escape)</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="104"/>
        <source>Volta à partida em andamento (Esc)</source>
        <translation>Back to the match in progress (Escape)</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="105"/>
        <source>Começa a partida (Enter)</source>
        <translation>Starts the match (Enter)</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="138"/>
        <source>Duplas</source>
        <translation>Pairs</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="138"/>
        <source>Individual</source>
        <translation>Individual</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="139"/>
        <source>Sentido horário</source>
        <translation>Clockwise</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="139"/>
        <source>Sentido Anti-horário</source>
        <translation>Anticlockwise</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="143"/>
        <source>Batida simples vale 1 ponto, batida dupla ou carroção vale 2 pontos, batida dupla &apos;e&apos; carroção vale 4 pontos.</source>
        <translation>A simple going out is worth 1 point, &quot;lá e lô&quot; or &quot;carroção&quot; 2 points, &quot;lá e lô&quot; and &quot;carroção&quot; together 4 points.</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="147"/>
        <source>Cada pinta nas peças que restaram dos adversários valerá um ponto para a dupla ou jogador que bateu</source>
        <translation>Each pip on the dominoes left in the opponents&apos; hands is worth a point to the player or pair that went out</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="150"/>
        <source>Ganha o jogo quem primeiro fizer %1 pontos</source>
        <translation>The first to score %1 points wins the match</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="154"/>
        <source>Na primeira rodada iniciará quem possuir o 6:6, depois iniciará quem for o vencedor da rodada anterior</source>
        <translation>In the first hand the holder of 6:6 opens, then the winner of the previous hand</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="158"/>
        <source>Sempre iniciará quem possuir o 6:6</source>
        <translation>The holder of 6:6 always opens</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="162"/>
        <source>Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio</source>
        <translation>In the first hand the holder of 6:6 opens, then each player in turn</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="167"/>
        <source>Permitir fechar o jogo</source>
        <translation>Closing the game allowed</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="168"/>
        <source> somente no natural</source>
        <translation> only &quot;no natural&quot;</translation>
    </message>
    <message>
        <location filename="../../dialogs/window_parts.cpp" line="168"/>
        <source>Jogador</source>
        <translation>Player</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_novo_jogo.cpp" line="224"/>
        <source>Novo Jogo</source>
        <translation>New Game</translation>
    </message>
</context>
<context>
    <name>tavolix::FrmOpc</name>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="72"/>
        <source>Opções</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="78"/>
        <source>Peças: </source>
        <translation>Color Dominoes</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="79"/>
        <source>Marfim</source>
        <translation>Marfim</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="80"/>
        <source>Coloridas</source>
        <translation>Colorful</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="84"/>
        <source>Nomes dos jogadores </source>
        <translation>Players name of CPU controlled</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="86"/>
        <source>Seu nome:</source>
        <translation>Your name:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="90"/>
        <source>CPU %1:</source>
        <translation>CPU %1:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="102"/>
        <source>Velocidade da Animação</source>
        <translation>Animation Speed</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="106"/>
        <source>Velocidade da animação</source>
        <translation>Animation speed</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="107"/>
        <source>À esquerda mais lento, à direita mais rápido</source>
        <translation>Left slower, right faster</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="108"/>
        <source>Amostra das peças</source>
        <translation>Sample of the dominoes</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="111"/>
        <source>Mais lento</source>
        <translation>Lower</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="112"/>
        <source>Mais rápido</source>
        <translation>Fast</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="115"/>
        <source>Tocar som</source>
        <translation>Play sounds</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="118"/>
        <source>Marcar de quem é a vez</source>
        <translation>Mark whose turn it is</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="120"/>
        <source>Marcar a última pedra jogada</source>
        <translation>Mark the domino played last</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="124"/>
        <source>Língua:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="130"/>
        <source>A língua do jogo</source>
        <translation>The language of the game</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="135"/>
        <source>Adversários:</source>
        <translation>Opponents:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="136"/>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="137"/>
        <source>Forte</source>
        <translation>Strong</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="138"/>
        <source>Mestre</source>
        <translation>Master</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="142"/>
        <source>Como jogam os jogadores do computador</source>
        <translation>How the computer players play</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="146"/>
        <source>Peças sem animação: vão direto ao lugar</source>
        <translation>Dominoes without animation: straight to their place</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_opc.cpp" line="151"/>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>tavolix::FrmRegra</name>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="79"/>
        <source>Ganha o jogo quem primeiro fizer</source>
        <translation>Won by the first to score</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="85"/>
        <source>pontos</source>
        <translation>points</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="89"/>
        <source>Pontos para ganhar o jogo</source>
        <translation>Points to win the match</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="90"/>
        <source>Menos pontos</source>
        <translation>Fewer points</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="91"/>
        <source>Mais pontos</source>
        <translation>More points</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="94"/>
        <source>Os pontos que ganham a partida</source>
        <translation>The points that win the match</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="102"/>
        <location filename="../../dialogs/frm_regra.cpp" line="228"/>
        <source>Definição das Regras</source>
        <translation>Rules of the Game</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="109"/>
        <source>Tipo de jogo</source>
        <translation>Kind of game</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="110"/>
        <source>Individual</source>
        <translation>Individual</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="111"/>
        <source>Duplas</source>
        <translation>Pairs</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="113"/>
        <source>Escolha a regra desejada:</source>
        <translation>Choose the scoring:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="115"/>
        <source>Batida simples vale 1 ponto</source>
        <translation>A simple going out is worth 1 point</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="116"/>
        <source>Batida dupla ou carroção vale 2 pontos</source>
        <translation>&quot;Lá e lô&quot; or &quot;carroção&quot; is worth 2 points</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="117"/>
        <source>Batida dupla &quot;e&quot; carroção vale 4 pontos</source>
        <translation>&quot;Lá e lô&quot; and &quot;carroção&quot; together are worth 4 points</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="126"/>
        <source>Cada pinta nas peças que restaram dos adversários valerá um ponto para a dupla ou jogador que bateu</source>
        <translation>Each pip on the dominoes left in the opponents&apos; hands is worth a point to the player or pair that went out</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="132"/>
        <source>Inicio:</source>
        <translation>Who opens:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="134"/>
        <source>Na primeira rodada iniciará quem possuir o 6:6, depois iniciará quem for o vencedor da rodada anterior</source>
        <translation>In the first hand the holder of 6:6 opens, then the winner of the previous hand</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="137"/>
        <source>Sempre iniciará quem possuir o 6:6</source>
        <translation>The holder of 6:6 always opens</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="138"/>
        <source>Na primeira rodada iniciará quem possuir o 6:6, depois será feito um rodízio</source>
        <translation>In the first hand the holder of 6:6 opens, then each player in turn</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="146"/>
        <source>Sentido do jogo:</source>
        <translation>Direction of play:</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="147"/>
        <source>Sentido horário</source>
        <translation>Clockwise</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="148"/>
        <source>Anti-horário</source>
        <translation>Anticlockwise</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="150"/>
        <source>Permitir fechar o jogo somente no natural</source>
        <translation>Closing the game allowed only &quot;no natural&quot;</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="153"/>
        <source>&amp;Ajuda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="155"/>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location filename="../../dialogs/frm_regra.cpp" line="229"/>
        <source>O limite de pontos deve ser um número inteiro de %1 a %2.</source>
        <translation>The points limit must be a whole number from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>tavolix::OnlineDialog</name>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="68"/>
        <source>Tavolix - Jogar online</source>
        <translation>Tavolix - Play online</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="79"/>
        <source>Seu &amp;nome:</source>
        <translation>Your &amp;name:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="88"/>
        <source>Onde fica a mesa</source>
        <translation>Where the table is</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="90"/>
        <source>Neste &amp;computador, na porta:</source>
        <translation>On this &amp;computer, at port:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="97"/>
        <source>Num &amp;servidor:</source>
        <translation>On a &amp;server:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="99"/>
        <source>endereço:porta</source>
        <translation>address:port</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="104"/>
        <source>A partida</source>
        <translation>The match</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="107"/>
        <source>Individual</source>
        <translation>Individual</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="108"/>
        <source>Duplas</source>
        <translation>Pairs</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="110"/>
        <source>&amp;Tipo de jogo:</source>
        <translation>&amp;Kind of game:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="114"/>
        <source>&amp;Regras...</source>
        <translation>&amp;Rules...</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="113"/>
        <source>Regras:</source>
        <translation>Rules:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="119"/>
        <source>o lugar à sua esquerda</source>
        <translation>the seat on your left</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="120"/>
        <source>o lugar à sua frente</source>
        <translation>the seat opposite you</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="121"/>
        <source>o lugar à sua direita</source>
        <translation>the seat on your right</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="127"/>
        <source>Computador joga:</source>
        <translation>Computer plays:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="129"/>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="130"/>
        <source>Forte</source>
        <translation>Strong</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="131"/>
        <source>Mestre</source>
        <translation>Master</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="133"/>
        <source>&amp;Nível do computador:</source>
        <translation>Computer &amp;level:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="135"/>
        <source>&amp;Abrir uma mesa</source>
        <translation>&amp;Open a table</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="141"/>
        <source>endereço:porta, ou o link tavolix://...</source>
        <translation>address:port, or the link tavolix://...</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="142"/>
        <source>Ser&amp;vidor:</source>
        <translation>Ser&amp;ver:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="144"/>
        <source>8 letras e números</source>
        <translation>8 letters and digits</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="146"/>
        <source>C&amp;ódigo da mesa:</source>
        <translation>Table c&amp;ode:</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="147"/>
        <source>Quem abriu a mesa vê o endereço e o código na mesa dele.</source>
        <translation>Whoever opened the table sees its address and code on his table.</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="150"/>
        <source>&amp;Entrar numa mesa</source>
        <translation>&amp;Join a table</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="165"/>
        <source>&amp;Jogar</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="166"/>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="167"/>
        <source>A&amp;juda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="191"/>
        <source>pontos pelas pedras, até %1</source>
        <translation>points by the pips, up to %1</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="191"/>
        <source>batidas, até %1 pontos</source>
        <translation>by going out, up to %1 points</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="193"/>
        <source>, sentido horário</source>
        <translation>, clockwise</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="193"/>
        <source>, sentido anti-horário</source>
        <translation>, anticlockwise</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="210"/>
        <location filename="../../dialogs/online_dialog.cpp" line="221"/>
        <source>Escreva o endereço do servidor, como mesa.exemplo.org:47474.</source>
        <translation>Write the server&apos;s address, like table.example.org:47474.</translation>
    </message>
    <message>
        <location filename="../../dialogs/online_dialog.cpp" line="225"/>
        <source>O código da mesa tem 8 letras e números, como N3XP-G97X.</source>
        <translation>The table&apos;s code has 8 letters and digits, like N3XP-G97X.</translation>
    </message>
</context>
<context>
    <name>tavolix::OnlineSession</name>
    <message>
        <location filename="../../table/online_session.cpp" line="93"/>
        <source>Os servidores de %1 não chegam a um acordo sobre onde está a mesa.</source>
        <translation>The servers at %1 do not agree on where the table is.</translation>
    </message>
    <message>
        <location filename="../../table/online_session.cpp" line="134"/>
        <source>Não foi possível falar com o servidor %1 (%2).</source>
        <translation>The server %1 could not be reached (%2).</translation>
    </message>
</context>
<context>
    <name>tavolix::ScoreHistory</name>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="42"/>
        <source>Placar da partida</source>
        <translation>Scores of the match</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="60"/>
        <source>Placar</source>
        <translation>Scores</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="64"/>
        <source>Quem ganhou</source>
        <translation>Won by</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="64"/>
        <source>Como</source>
        <translation>How</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="64"/>
        <source>Pontos</source>
        <translation>Points</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="65"/>
        <source>Mãos da partida</source>
        <translation>Hands of the match</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="65"/>
        <source>Uma linha para cada mão jogada</source>
        <translation>One row for each hand played</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="78"/>
        <source>Mãos</source>
        <translation>Hands</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="79"/>
        <source>Quem</source>
        <translation>Who</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="79"/>
        <source>Lance</source>
        <translation>Move</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="79"/>
        <location filename="../../dialogs/score_history.cpp" line="81"/>
        <source>Lances desta mão</source>
        <translation>Moves of this hand</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="80"/>
        <source>Uma linha para cada pedra jogada ou vez passada</source>
        <translation>One line for each tile laid or turn passed</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="85"/>
        <source>&amp;Estatísticas...</source>
        <translation>&amp;Statistics...</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="86"/>
        <source>&amp;Fechar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location filename="../../dialogs/score_history.cpp" line="90"/>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>tavolix::StartupOptions</name>
    <message>
        <location filename="../../app/main.cpp" line="59"/>
        <source>sem tela para mostrar a mesa (DISPLAY e WAYLAND_DISPLAY estão vazias)</source>
        <translation>no display to show the table on (DISPLAY and WAYLAND_DISPLAY are unset)</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="16"/>
        <source>Uso: tavolix [--help] [--version] [--lang pt|en] [--quit-after-paint]
             [tavolix://ENDEREÇO:PORTA/CÓDIGO]

Tavolix: dominó contra três jogadores do computador, ou com amigos pela
rede, cada um por si ou em duplas, com a contagem brasileira.

Um link tavolix://ENDEREÇO:PORTA/CÓDIGO leva direto à mesa online desse
código; com o jogo já aberto, é a janela dele que vai à mesa.

Opções:
  -h, --help     mostra esta ajuda e sai
  -v, --version  mostra a versão e sai
  --lang pt|en   joga em português ou em inglês, só desta vez
  --quit-after-paint
                 sai assim que a mesa é desenhada, antes de qualquer
                 janela (para medir o início)

Ambiente:
  TAVOLIX_SEED   um número inteiro: as mesmas pedras a cada vez
  TAVOLIX_PACE   escala as esperas do jogo: 1 normal, 0.5 duas vezes mais
                 rápido, 0 sem esperas
  XDG_CONFIG_HOME
                 a pasta das configurações (~/.config se vazia):
                 Vantorel/Tavolix.conf dentro dela
  XDG_DATA_HOME  a pasta dos dados (~/.local/share se vazia): a partida
                 em andamento e as estatísticas, em Vantorel/Tavolix

As opções do Qt (-platform, -style, -reverse...) também são aceitas.
</source>
        <translation>Usage: tavolix [--help] [--version] [--lang pt|en] [--quit-after-paint]
             [tavolix://ADDRESS:PORT/CODE]

Tavolix: dominoes against three computer players, or with friends on the
network, individually or in pairs, with Brazilian scoring.

A link tavolix://ADDRESS:PORT/CODE goes straight to the table online of
that code; with the game already open, its window goes to the table.

Options:
  -h, --help     show this help and exit
  -v, --version  show the version and exit
  --lang pt|en   play in Portuguese or in English, for this run
  --quit-after-paint
                 quit as soon as the table is first painted, before any
                 dialog (to measure start-up)

Environment:
  TAVOLIX_SEED   a whole number: deal the same tiles every run
  TAVOLIX_PACE   scale every wait of the game: 1 normal, 0.5 twice as
                 fast, 0 no waits
  XDG_CONFIG_HOME
                 the settings folder (~/.config when empty):
                 Vantorel/Tavolix.conf inside it
  XDG_DATA_HOME  the data folder (~/.local/share when empty): the match
                 in progress and the statistics, in Vantorel/Tavolix

Qt&apos;s own options (-platform, -style, -reverse...) are accepted too.
</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="63"/>
        <source>Veja &apos;tavolix --help&apos;.</source>
        <translation>Try &apos;tavolix --help&apos;.</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="73"/>
        <source>opção desconhecida &apos;%1%2&apos;</source>
        <translation>unknown option &apos;%1%2&apos;</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="83"/>
        <source>argumento desconhecido &apos;%1&apos;</source>
        <translation>unknown argument &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="87"/>
        <source>&apos;%1&apos; não é o link de uma mesa: tavolix://ENDEREÇO:PORTA/CÓDIGO</source>
        <translation>&apos;%1&apos; is not the link of a table: tavolix://ADDRESS:PORT/CODE</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="97"/>
        <source>língua desconhecida &apos;%1&apos;: use pt ou en</source>
        <translation>unknown language &apos;%1&apos;: use pt or en</translation>
    </message>
    <message>
        <location filename="../../app/startup_options.cpp" line="111"/>
        <source>Copyright (C) 2026 os desenvolvedores do Tavolix
Licença GPL-3.0-or-later: GNU GPL versão 3 ou posterior &lt;https://gnu.org/licenses/gpl.html&gt;.
Este é um software livre: você pode modificá-lo e redistribuí-lo.
NÃO HÁ GARANTIA, na máxima extensão permitida por lei.
</source>
        <translation>Copyright (C) 2026 the Tavolix developers
License GPL-3.0-or-later: GNU GPL version 3 or later &lt;https://gnu.org/licenses/gpl.html&gt;.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
</translation>
    </message>
</context>
<context>
    <name>tavolix::Statistics</name>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="73"/>
        <source>Estatísticas</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="79"/>
        <source>Jogadas</source>
        <translation>Played</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="79"/>
        <source>Vencidas</source>
        <translation>Won</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="79"/>
        <source>Aproveitamento</source>
        <translation>Won %</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="80"/>
        <source>Partidas</source>
        <translation>Matches</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="82"/>
        <location filename="../../dialogs/statistics.cpp" line="83"/>
        <source>Mãos ganhas</source>
        <translation>Hands won</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="86"/>
        <source>Sequência de vitórias</source>
        <translation>Winning streak</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="90"/>
        <source>&amp;Zerar...</source>
        <translation>&amp;Reset...</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="91"/>
        <source>&amp;Fechar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="105"/>
        <source>Individual, por batida</source>
        <translation>Individual, by going out</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="106"/>
        <source>Individual, por pontos</source>
        <translation>Individual, by pips</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="107"/>
        <source>Duplas, por batida</source>
        <translation>Pairs, by going out</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="108"/>
        <source>Duplas, por pontos</source>
        <translation>Pairs, by pips</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="109"/>
        <source>Todas</source>
        <translation>All</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="110"/>
        <source>Online, com outras pessoas</source>
        <translation>Online, with other people</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="111"/>
        <source>Com dica pedida</source>
        <translation>With a hint asked</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="119"/>
        <source>Batida, por pontos</source>
        <translation>Going out, by pips</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="120"/>
        <source>Jogo fechado</source>
        <translation>Blocked game</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="122"/>
        <source>Maior sequência de vitórias: %1 (agora: %2)</source>
        <translation>Longest winning streak: %1 (now: %2)</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="129"/>
        <source>Zerar todas as estatísticas? Isto não pode ser desfeito.</source>
        <translation>Reset all your statistics? This cannot be undone.</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="131"/>
        <source>Zerar</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location filename="../../dialogs/statistics.cpp" line="132"/>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tavolix::TableReading</name>
    <message>
        <location filename="../../table/table_reading.cpp" line="27"/>
        <source>%1 e %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="38"/>
        <source>%1, não abre a mão</source>
        <translation>%1, may not open the hand</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="39"/>
        <source>%1, abre a mão</source>
        <translation>%1, opens the hand</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="45"/>
        <source>%1, joga nas pontas %2 e %3</source>
        <translation>%1, goes on the %2 and %3 ends</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="50"/>
        <source>%1, joga na ponta %2</source>
        <translation>%1, goes on the %2 end</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="53"/>
        <source>%1, não joga</source>
        <translation>%1, does not go</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="62"/>
        <source>Sua mão está vazia</source>
        <translation>Your hand is empty</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="63"/>
        <source>Sua mão: %1</source>
        <translation>Your hand: %1</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="70"/>
        <source>Nenhuma pedra na mesa</source>
        <translation>No tile on the table</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="71"/>
        <source>Pontas: %1 e %2</source>
        <translation>Ends: %1 and %2</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="77"/>
        <source>Você passou no %1</source>
        <translation>You passed on %1</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="79"/>
        <source>%1 passou no %2</source>
        <translation>%1 passed on %2</translation>
    </message>
    <message>
        <location filename="../../table/table_reading.cpp" line="89"/>
        <source>Pedras nas mãos: %1</source>
        <translation>Tiles in hand: %1</translation>
    </message>
</context>
<context>
    <name>tavolix::TableScene</name>
    <message>
        <location filename="../../table/table_moves.cpp" line="231"/>
        <source>Você jogou %1</source>
        <translation>You played %1</translation>
    </message>
    <message>
        <location filename="../../table/table_moves.cpp" line="232"/>
        <source>%1 jogou %2</source>
        <translation>%1 played %2</translation>
    </message>
    <message>
        <location filename="../../table/table_moves.cpp" line="234"/>
        <source>Você jogou %1 na ponta do %2</source>
        <translation>You played %1 on the %2 end</translation>
    </message>
    <message>
        <location filename="../../table/table_moves.cpp" line="237"/>
        <source>%1 jogou %2 na ponta do %3</source>
        <translation>%1 played %2 on the %3 end</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="318"/>
        <source>Pedra escolhida: %1:%2</source>
        <translation>Domino chosen: %1:%2</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="326"/>
        <source>Sua vez</source>
        <translation>Your turn</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="328"/>
        <source>Vez de %1, pensando</source>
        <translation>%1&apos;s turn, thinking</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="328"/>
        <source>Vez de %1</source>
        <translation>%1&apos;s turn</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="379"/>
        <source>Novo Jogo |</source>
        <translation>New Game |</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="380"/>
        <source>Opções |</source>
        <translation>Settings |</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="381"/>
        <source>Ajuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="382"/>
        <source>Passar a vez</source>
        <translation>Cannot move</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="383"/>
        <source>Placar</source>
        <translation>Scores</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="384"/>
        <source>Dica</source>
        <translation>Hint</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="385"/>
        <source>Jogar online</source>
        <translation>Play online</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="386"/>
        <source>Começar</source>
        <translation>Start</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="393"/>
        <source>Começa uma nova partida (Ctrl+N)</source>
        <translation>Starts a new match (Ctrl+N)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="394"/>
        <source>As pedras, a velocidade, os nomes e o som (Ctrl+,)</source>
        <translation>The dominoes, the speed, the names and sound (Ctrl+,)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="395"/>
        <source>Abre a ajuda (F1)</source>
        <translation>Opens the help (F1)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="396"/>
        <source>As mãos da partida até aqui (Ctrl+H)</source>
        <translation>The hands of the match so far (Ctrl+H)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="398"/>
        <source>Mostra a pedra que o jogador Forte jogaria; a partida conta à parte (D)</source>
        <translation>Shows the tile the Strong player would lay; the match counts apart (D)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="399"/>
        <source>Passa a vez quando nenhuma pedra serve (P)</source>
        <translation>Passes when no domino fits (P)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="400"/>
        <source>Abre ou entra numa mesa pela rede (Ctrl+O)</source>
        <translation>Opens or joins a table on the network (Ctrl+O)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="401"/>
        <source>Começa a partida com quem está à mesa (Ctrl+Enter)</source>
        <translation>Starts the match with whoever is at the table (Ctrl+Enter)</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="403"/>
        <source>Nome: você</source>
        <translation>Name: you</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="403"/>
        <source>Nome: o jogador à esquerda</source>
        <translation>Name: the player on the left</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="404"/>
        <source>Nome: o jogador à frente</source>
        <translation>Name: the player opposite</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="404"/>
        <source>Nome: o jogador à direita</source>
        <translation>Name: the player on the right</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="406"/>
        <source>Pontos: você</source>
        <translation>Points: you</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="406"/>
        <source>Pontos: o jogador à esquerda</source>
        <translation>Points: the player on the left</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="407"/>
        <source>Pontos: o jogador à frente</source>
        <translation>Points: the player opposite</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="407"/>
        <source>Pontos: o jogador à direita</source>
        <translation>Points: the player on the right</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="412"/>
        <source>Pontos da sua dupla e da outra</source>
        <translation>Points of your pair and of the other</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="413"/>
        <source>O que fazer ao pegar as pedras</source>
        <translation>What to do when taking your dominoes</translation>
    </message>
    <message>
        <location filename="../../table/table_scene.cpp" line="414"/>
        <source>Mensagem do jogo</source>
        <translation>Message of the game</translation>
    </message>
</context>
<context>
    <name>tavolix::net::RemoteMatch</name>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="129"/>
        <source>Mesa %1 em %2: passe o endereço e o código aos outros jogadores e clique em &apos;Começar&apos; quando todos tiverem chegado.</source>
        <translation>Table %1 at %2: give the address and the code to the other players, and click &apos;Start&apos; when everyone has come.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="132"/>
        <source>Mesa %1: esperando %2 começar a partida.</source>
        <translation>Table %1: waiting for %2 to start the match.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="134"/>
        <source>Clique no nome de um jogador para tê-lo como parceiro.</source>
        <translation>Click a player&apos;s name to have him as your partner.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="155"/>
        <source>Computador %1</source>
        <translation>Computer %1</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="159"/>
        <source>(lugar livre)</source>
        <translation>(free seat)</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="169"/>
        <source>%1 (anfitrião)</source>
        <translation>%1 (host)</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="171"/>
        <source>%1 (ausente, %2 s)</source>
        <translation>%1 (away, %2 s)</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match.cpp" line="172"/>
        <source>%1 (ausente)</source>
        <translation>%1 (away)</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="54"/>
        <source>O servidor não entendeu esta versão do jogo.</source>
        <translation>The server did not understand this version of the game.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="56"/>
        <source>Mensagens demais em pouco tempo: espere um instante.</source>
        <translation>Too many messages in a short time: wait a moment.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="58"/>
        <source>O servidor não aceita mais mesas agora. Tente mais tarde ou use outro servidor.</source>
        <translation>The server takes no more tables now. Try later or use another server.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="60"/>
        <source>Nenhuma mesa tem esse código. Confira o código com quem abriu a mesa.</source>
        <translation>No table has that code. Check the code with whoever opened the table.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="62"/>
        <source>Códigos errados demais: espere um minuto antes de tentar de novo.</source>
        <translation>Too many wrong codes: wait a minute before trying again.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="64"/>
        <source>O seu lugar nessa mesa não existe mais.</source>
        <translation>Your seat at that table is no more.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="66"/>
        <source>Esse lugar já é de outro jogador.</source>
        <translation>That seat is already another player&apos;s.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="68"/>
        <source>A mesa está completa.</source>
        <translation>The table is full.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="70"/>
        <source>Você não está sentado a essa mesa.</source>
        <translation>You are not seated at that table.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="72"/>
        <source>Só quem abriu a mesa pode começar a partida.</source>
        <translation>Only whoever opened the table can start the match.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="74"/>
        <source>A partida dessa mesa já começou.</source>
        <translation>The match at that table has already begun.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="76"/>
        <source>A partida não está em andamento.</source>
        <translation>The match is not being played.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="78"/>
        <source>Não é a sua vez.</source>
        <translation>It is not your turn.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="81"/>
        <source>Essa pedra não serve nessa ponta.</source>
        <translation>That domino does not fit that end.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="83"/>
        <source>Você deve abrir a mão com o 6:6.</source>
        <translation>You must open the hand with 6:6.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="85"/>
        <source>Você só pode fechar o jogo no natural.</source>
        <translation>You may only close the game &quot;no natural&quot;.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="87"/>
        <source>Uma pedra da sua mão serve numa ponta: jogue-a em vez de passar.</source>
        <translation>A domino in your hand fits an end: play it instead of passing.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="89"/>
        <source>Essa pedra já foi pega.</source>
        <translation>That domino has been taken.</translation>
    </message>
    <message>
        <location filename="../../protocol/remote_match_actions.cpp" line="123"/>
        <source>A conexão com o servidor caiu. Tentando de novo…</source>
        <translation>The connection to the server dropped. Trying again…</translation>
    </message>
</context>
<context>
    <name>tavolix::startGame</name>
    <message>
        <location filename="../../app/start_game.cpp" line="63"/>
        <source>É necessário resolução minima de 800 x 600</source>
        <translation>A screen of at least 800 x 600 is needed</translation>
    </message>
    <message>
        <location filename="../../app/start_game.cpp" line="94"/>
        <source>o jogo já está aberto: a janela dele foi trazida para a frente.</source>
        <translation>the game is already open: its window was brought to the front.</translation>
    </message>
    <message>
        <location filename="../../app/start_game.cpp" line="97"/>
        <source>o jogo já está aberto, mas não respondeu; ele não foi aberto de novo.</source>
        <translation>the game is already open but did not answer; it was not opened again.</translation>
    </message>
</context>
<context>
    <name>texts</name>
    <message>
        <location filename="../../game/texts.cpp" line="39"/>
        <source>Escolha as suas peças</source>
        <translation>select your first domino</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="40"/>
        <source>Escolha a sua %1ª peça</source>
        <translation>select your next domino</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="41"/>
        <source>%1 pegou %2 buchas<byte value="xd"/>
<byte value="xd"/>
Será feita uma nova distribuição</source>
        <translation>%1 was dealt %2 doubles<byte value="xd"/>
<byte value="xd"/>
The dominoes will be dealt again</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="42"/>
        <source>Você deve jogar o %1:%2</source>
        <translation>Waiting for you to play double %1</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="43"/>
        <source>Clique na pedra que quer jogar e arraste para a área verde, e então solte</source>
        <translation>Click in domino and drag for the green area.</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="45"/>
        <source>Clique em &apos;Passar a vez&apos;</source>
        <translation>Clique em &apos;Passar a vez&apos;</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="46"/>
        <source>Jogada inválida</source>
        <translation>Ilegal move!</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="47"/>
        <source>Você só pode fechar o jogo no natural</source>
        <translation>Você só pode fechar o jogo no natural</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="48"/>
        <source>%1 passou!</source>
        <translation>%1 cannot move!</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="49"/>
        <source>É a sua vez: você começa esta mão</source>
        <translation>Your turn: you lead this hand.</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="50"/>
        <source>A pedra serve nas duas pontas: A (ou Home) para uma, B (ou End) para a outra</source>
        <translation>It fits both ends: A (or Home) for one, B (or End) for the other.</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="52"/>
        <source>Batida Simples</source>
        <translation>Simple going out</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="53"/>
        <source>Batida Lá e Lô</source>
        <translation>&quot;Lá e lô&quot; going out</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="54"/>
        <source>Batida Carroção</source>
        <translation>&quot;Carroção&quot; going out</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="55"/>
        <source>Batida Cruzada</source>
        <translation>&quot;Cruzada&quot; going out</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="56"/>
        <source>%1 e %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="57"/>
        <source>%1 bateu.<byte value="xd"/><byte value="xd"/>Vai ganhar %2 pts</source>
        <translation>%1 went out.<byte value="xd"/><byte value="xd"/>Scores %2 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="58"/>
        <source>%1 bateu.<byte value="xd"/><byte value="xd"/>%2   |   vai ganhar %3 pts</source>
        <translation>%1 went out.<byte value="xd"/><byte value="xd"/>%2   |   scores %3 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="59"/>
        <source>%1 bateu.<byte value="xd"/><byte value="xd"/>A dupla &apos;%2&apos;  vai ganhar %3 pts</source>
        <translation>%1 went out.<byte value="xd"/><byte value="xd"/>The pair &apos;%2&apos;  scores %3 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="60"/>
        <source>%1 bateu.  (%2)<byte value="xd"/><byte value="xd"/>A dupla &apos;%3&apos;  vai ganhar %4 pts</source>
        <translation>%1 went out.  (%2)<byte value="xd"/><byte value="xd"/>The pair &apos;%3&apos;  scores %4 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="61"/>
        <source>Houve empate na contegem de pontos</source>
        <translation>The pip count is a tie</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="62"/>
        <source>A dupla &apos;%1&apos; ganhou esta mão na contagem de pontos<byte value="xd"/>
<byte value="xd"/>
A dupla ganhará %2 pontos</source>
        <translation>The pair &apos;%1&apos; won this hand on the pip count<byte value="xd"/>
<byte value="xd"/>
The pair scores %2 points</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="65"/>
        <source>%1 ganhou esta mão na contagem de pontos<byte value="xd"/>
<byte value="xd"/>
Vai ganhar %2 pontos</source>
        <translation>%1 won this hand on the pip count<byte value="xd"/>
<byte value="xd"/>
Scores %2 points</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="67"/>
        <source>%1 ganhou esta mão na contagem de pontos<byte value="xd"/>
<byte value="xd"/>
Vai ganhar 1(um) ponto</source>
        <translation>%1 won this hand on the pip count<byte value="xd"/>
<byte value="xd"/>
Scores 1 (one) point</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="69"/>
        <source>Jogo fechado: empate</source>
        <translation>Blocked: a tie</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="70"/>
        <source>Jogo fechado: menos pintas</source>
        <translation>Blocked: fewest pips</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="71"/>
        <source>Bateu</source>
        <translation>Went out</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="72"/>
        <source>%1 pts</source>
        <translation>%1 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="73"/>
        <source>O vencedor foi %1 com %2 pts</source>
        <translation>The winner is %1 with %2 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="74"/>
        <source>Vitória de %1 com %2 pts</source>
        <translation>Victory for %1 with %2 pts</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="75"/>
        <source>%1. %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="76"/>
        <source>As pontas são %1 e %2</source>
        <translation>The ends are %1 and %2</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="77"/>
        <source>Tecle P para passar a vez</source>
        <translation>Press P to pass</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="78"/>
        <source>Nós %1 × %2 Eles</source>
        <translation>Us %1 × %2 Them</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="79"/>
        <source>abriu com %1:%2</source>
        <translation>opened with %1:%2</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="80"/>
        <source>%1:%2 na ponta do %1</source>
        <translation>%1:%2 on the %1 end</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="81"/>
        <source>passou: não tem %1 nem %2</source>
        <translation>passed: has no %1 nor %2</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="82"/>
        <source>passou: não tem %1</source>
        <translation>passed: has no %1</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="83"/>
        <source>Dica: abra com o %1:%2</source>
        <translation>Hint: open with %1:%2</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="84"/>
        <source>Dica: jogue o %1:%2 na ponta do %1</source>
        <translation>Hint: lay %1:%2 on the %1 end</translation>
    </message>
    <message>
        <location filename="../../game/texts.cpp" line="85"/>
        <source>Dica: passe a vez</source>
        <translation>Hint: pass</translation>
    </message>
</context>
<context>
    <name>window_parts</name>
    <message>
        <location filename="../../dialogs/window_parts.cpp" line="35"/>
        <source>Faixa do título</source>
        <translation>Title strip</translation>
    </message>
    <message>
        <location filename="../../dialogs/window_parts.cpp" line="37"/>
        <source>Arraste para mover a janela</source>
        <translation>Drag to move the window</translation>
    </message>
</context>
</TS>
