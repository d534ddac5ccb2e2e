// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc --help.
#include "tool.h"

namespace tarvel::cli {

const std::string& helpText()
{
    static const std::string text = R"(tarvel-calc: as calculadoras de linhas de transmissão do Tarvel na linha de comando.

As mesmas janelas, a mesma leitura dos textos (entradas de catálogo incluídas),
as mesmas verificações e mensagens, os mesmos modelos e os mesmos arquivos de
projeto do programa gráfico.

FORMAS DE USO

  tarvel-calc list
      Uma linha por janela de cálculo: classe, unidade, título e o caminho no
      menu principal.
      Exemplo:  tarvel-calc list

  tarvel-calc fields JANELA
      Os campos de entrada da janela (nome, rótulo e, se houver, as entradas
      do catálogo entre aspas, com o que cada uma preenche), depois os campos
      de resultado com seus rótulos.
      Exemplo:  tarvel-calc fields TForm2

  tarvel-calc JANELA Campo=texto ... [--json]
      Calcula como "&Calcular". JANELA é a classe (TForm2) ou a unidade
      (BifiAna), sem distinção de maiúsculas. Cada Campo=texto põe o texto no
      campo como se fosse digitado. Um texto igual a uma entrada do catálogo
      do campo conta como escolha dessa entrada e preenche os campos
      companheiros (a tangente de perda, por exemplo), a não ser que estes
      também sejam dados (as escolhas valem na ordem em que são dadas, como
      na janela: das duas que preenchem o mesmo campo, vale a última).
      Os nomes dos campos também valem sem distinção de maiúsculas. Campos
      não dados ficam vazios (valem 0).
      Saída: uma linha Campo=valor por resultado, com 4 decimais, na ordem da
      janela; depois uma linha "warning: texto" por aviso.
      Exemplo:  tarvel-calc TForm2 Frequencia=1 "ComboBox2=2.10 - PTFE: Polytetrafluoretileno" \
                    "ComboBox1=57600000 - Cu : Cobre" Espacamento=10 diametro=1

  tarvel-calc open ARQUIVO [--window JANELA] [--json]
      Lê um arquivo de projeto como "&Abrir": a extensão escolhe a janela
      (--window é obrigatório quando duas janelas usam a mesma extensão,
      como .slt). Mostra as entradas como Campo=texto com os decimais do
      arquivo e depois calcula e mostra os resultados como acima (também nas
      janelas que não calculam ao abrir).
      Exemplo:  tarvel-calc open BifiAna1.bfl
                tarvel-calc open projeto.slt --window TForm8

  tarvel-calc save ARQUIVO JANELA Campo=texto ...
      Grava o arquivo de projeto como "&Salvar": os mesmos bytes e as mesmas
      recusas (um campo que não é número, um valor grande demais).
      Exemplo:  tarvel-calc save BifiAna1.bfl TForm2 Frequencia=1 ComboBox2=2.1 \
                    ComboBox1=57600000 Tanperda=0.0001 Espacamento=10 diametro=1

  tarvel-calc --batch
      Para varreduras num só processo: lê linhas JSON da entrada padrão, um
      objeto por linha, e escreve, na mesma ordem, uma linha por linha lida:
      o objeto que --json mostraria. Uma linha malformada dá
      {"error": "motivo"} na sua linha e o lote continua.
        {"window": "TForm2", "inputs": {"Frequencia": "1", "diametro": "1", ...}}
        {"file": "BifiAna1.bfl"}              (como open; "window" opcional)
      Os textos das entradas vão como textos JSON, exatamente como digitados
      ou escolhidos.
      Exemplo:  echo '{"window":"TForm2","inputs":{"Frequencia":"1"}}' | tarvel-calc --batch

  tarvel-calc check JANELA Campo=texto ... [--json]
      Confere as fórmulas da janela com a solução de campo 2-D quase-estática
      da seção que as entradas descrevem (nas janelas de síntese, a geometria
      sintetizada): Z0 e constante dielétrica efetiva (ou os dois modos) da
      fórmula e do campo, a diferença da fórmula em %, o erro estimado da
      solução de campo e o seu tempo. A SlotLine não tem o que conferir.
      Quando a fórmula de uma janela de análise para numa falha aritmética,
      o campo resolve a seção das entradas assim mesmo: as linhas trazem só
      o campo, a falha é dita, e a saída é 3. Quando a malha chega ao seu
      limite antes do erro pedido, os valores são a melhor estimativa, com
      um aviso, e a saída é 4 (no --json, "converged": false).
      Exemplo:  tarvel-calc check TForm4 frequencia=1 Combobox2=4.4 \
                    Combobox1=57600000 Tanperda=0.02 largura=3 ComboBox4=1.6 ComboBox3=0.035

  tarvel-calc field ESTRUTURA nome=valor ... [unit=mil] [--json]
      Projeto de linha por solução de campo: resolve o campo 2-D
      quase-estático da seção da placa e dá, de uma linha simples, Z0, eeff,
      C e L por metro; de um par, Z0e, Z0o, eeff_e, eeff_o, Zdiff = 2 Z0o,
      Zcm = Z0e/2, k = (Z0e - Z0o)/(Z0e + Z0o) e as matrizes 2x2 de C e L;
      sempre o erro estimado, o tempo de processador e quantas soluções de
      campo foram feitas. Comprimentos em mm (unit=mil: em mils); um campo
      não dado fica com o valor de exemplo da estrutura; um campo opcional
      não dado fica ausente. As estruturas e os seus campos:
        microstrip           W h t er [c1 c2 cer]  (c1, c2, cer: máscara
                             de solda sobre o substrato e sobre a fita)
        embedded-microstrip  W h t er h2 er2
        stripline            W t h1 h2 er1 er2
        cpw                  W S h t er
        gcpw                 W S h t er [G]   (sem G: terras coplanares sem fim)
        cps                  W S h t er
        coupled-microstrip   W S h t er [c1 c2 cer]
        coupled-stripline    W S t h1 h2 er1 er2
        broadside-stripline  W t h1 d h2 er [offset]
      Um par assimétrico (broadside com h1 diferente de h2, ou com offset)
      dá os modos diferencial (correntes iguais e opostas: Zdiff, Z0o =
      Zdiff/2) e comum (as duas fitas na mesma tensão: Zcm, Z0e = 2 Zcm);
      "modes" diz quais são ("par e ímpar" ou "diferencial e comum").
      Saída: uma linha nome=valor por resultado (ou um objeto com --json):
      structure, unit, Z0, eeff (linha simples) ou Z0e, Z0o, eeff_e, eeff_o,
      Zdiff, Zcm, k, modes (par); C_pF_per_m, L_nH_per_m (número ou matriz
      2x2), error_percent, seconds, solves.
      Exemplo:  tarvel-calc field microstrip W=3 h=1.6 t=0.035 er=4.4

  tarvel-calc field ESTRUTURA nome=valor ... --target ALVO --vary NOMES
      Síntese no campo: procura as dimensões que dão o alvo, as outras
      mantidas, até 0,1 % do alvo (na tolerância da solução de campo). Os
      alvos: Z0=valor (linha simples) com uma dimensão; Zdiff=valor (par)
      com uma dimensão (W com S mantido, ou S com W mantido); Z0e=valor,Z0o=valor
      com duas (W,S). As dimensões variadas vêm antes dos resultados, com os
      seus nomes, na unidade dada. Um alvo que nenhuma dimensão positiva
      alcança é dito no erro padrão, com o valor mais próximo alcançado
      (saída 2).
      Exemplo:  tarvel-calc field coupled-microstrip W=0.2 S=0.2 h=0.2 t=0.035 er=4.3 \
                    --target Zdiff=100 --vary W

  tarvel-calc field --file PROJETO [--freq F [perdas ...]] [--json]
      Lê um projeto de linha (o arquivo que a janela "Projeto de Linha por
      Solução de Campo" grava: texto JSON com "format":
      "tarvel-projeto-de-linha", "version": 1, "structure", "unit",
      "parameters" com os textos dos campos e, opcionais, "target" e
      "vary") e o analisa ou sintetiza como acima. Um arquivo danificado,
      incompleto ou de versão desconhecida é recusado com uma mensagem
      (saída 1). Com --freq F, também as chaves da linha em F, como em
      field --freq: as perdas são as do projeto ("losses", que a janela
      grava desde a versão 2), lidas como a janela as lê, e as dadas aqui,
      como em sweep, no lugar delas. Sem --freq, as perdas do projeto não
      são usadas.
      Exemplo:  tarvel-calc field --file linha.json
                tarvel-calc field --file linha.json --freq 2e9 sigma=5.8e7

  tarvel-calc field --batch [--freq F] [perdas ...]
      Um projeto de linha por linha da entrada padrão ("format" e "version"
      podem faltar), uma resposta JSON por linha, na mesma ordem; uma linha
      recusada dá {"error": "motivo"} e o lote continua. Com --freq F cada
      linha vem também em F, com os parâmetros de perda dados aqui; o
      membro "freq" de uma linha (um número) e as suas perdas ("losses",
      ou parâmetros de perda no seu "parameters") valem para ela, no lugar
      dos daqui.
      Exemplo:  echo '{"structure":"stripline","parameters":{"W":"0.3"}}' | tarvel-calc field --batch
                echo '{"structure":"stripline","freq":2e9,"parameters":{"tand1":"0.01"}}' | \
                    tarvel-calc field --batch --freq 1e9 sigma=5.8e7

  tarvel-calc sweep ESTRUTURA nome=valor ... FAIXA [--csv|--json]
      FAIXA é --from F1 --to F2 --points N [--log]. A linha contra a frequência pela solução de campo 2-D quase-estática,
      resolvida uma só vez: por ponto (Hz), R (ohm/m), L (nH/m, com a
      indutância interna), G (S/m), C (pF/m), Zc complexa (ohm), atenuação
      total e suas partes no condutor e no dielétrico (dB/m; e dB/cm), beta
      (rad/m), eeff_f (de beta) e atraso de grupo (ps/m); de um par, as matrizes
      2x2 e os dois modos (par e ímpar). N até 100000, espaçados em
      frequência ou, com --log, em escala logarítmica. Sem --csv nem --json,
      colunas separadas por espaço sob uma linha de comentário com o erro
      estimado e o limite do modelo.
      Estruturas: as de field, com os mesmos parâmetros (microstrip,
      embedded-microstrip, stripline, cpw, gcpw, cps, coupled-microstrip,
      coupled-stripline, broadside-stripline; comprimentos em mm, unit=mil
      lê mils), e coax d D er e two-wire d D er. Perdas, todas opcionais:
        tand     tangente de perdas de er
        tand1, tand2  de er1 e er2 (stripline); tand2 de er2 (embedded)
        ctand    da máscara de solda (cer)
        sigma    condutividade do metal em S/m (sem sigma: metal perfeito)
        rq       rugosidade rms em µm (Hammerstad e Jensen)
        roughness=none|hammerstad|huray   modelo da rugosidade
        rnod, sr raio das esferas em µm (0.5) e razão de superfície (Huray)
      Um par assimétrico (broadside com h1 ≠ h2 ou deslocado) dá as matrizes
      2x2 e os modos c e pi (os autovetores de (R+jwL)(G+jwC): as tensões
      das fitas em fase e em oposição), cada um com V2_over_V1 (V2/V1 do
      modo) e Zc = V.V/V.I; sem perda alguma os dois modos andam juntos e
      são os da análise: comum e diferencial.
      Abaixo da profundidade de penetração a resistência tende à de
      corrente contínua, 1/(sigma A), nunca menos. Acima de um décimo do
      comprimento de onda no dielétrico a seção deixa de ser quase-estática:
      frequências além disso são recusadas com o limite.
      Exemplo:  tarvel-calc sweep microstrip W=1.1 h=0.6 t=0.035 er=3.66 tand=0.004 \
                    sigma=5.8e7 rq=0.5 roughness=hammerstad --from 0.1e9 --to 10e9 --points 200 --log --csv

  tarvel-calc sweep ESTRUTURA nome=valor ... --vary NOME VALORES
      VALORES é --from A --to B --points N [--log]; opcionais, --freq F e
      --csv ou --json. A linha contra uma das suas dimensões: NOME é um
      comprimento da estrutura, A e B na unidade dela (mm ou, com unit=mil,
      mils); uma solução de campo por valor, N valores de A a B (--log: em
      escala logarítmica, A e B positivos; N até 100000). Por ponto, o valor e as
      chaves de field: Z0, eeff (linha simples) ou Z0e, Z0o, eeff_e,
      eeff_o, Zdiff, Zcm, k (par), e error_percent; com --freq F (e as
      perdas, como acima) também as chaves da linha em F, as de field
      --freq, e R_error_percent. Sem --csv nem --json, colunas separadas
      por espaço sob uma linha de comentário. Um nome que a estrutura não
      tem ou que não é um comprimento, ou um valor com que ela não se
      constrói (ou além do limite quase-estático em F), é recusado antes
      de qualquer solução, com o valor (saída 2). Só as estruturas de field.
      Exemplo:  tarvel-calc sweep microstrip h=0.5 t=0.035 er=4.4 --vary W \
                    --from 0.5 --to 1.5 --points 11 --csv

  tarvel-calc field ESTRUTURA nome=valor ... --freq F [--json]
      A análise de field e, da mesma solução de campo, a linha em F (Hz)
      com as perdas dadas como em sweep: R_ohm_per_m, L_nH_per_m (com a
      indutância interna), G_S_per_m, alpha_c_dB_per_m, alpha_d_dB_per_m,
      alpha_dB_per_m, alpha_dB_per_cm, beta_rad_per_m, Zc [re, im], eeff_f
      (de beta), delay_ps_per_m e R_error_percent; de um par, as matrizes
      2x2 e um objeto "even" e um "odd" com as chaves de cada modo (de um
      par assimétrico, "c" e "pi").
      Exemplo:  tarvel-calc field microstrip W=1.1 h=0.6 t=0.035 er=3.66 tand=0.004 sigma=5.8e7 --freq 1e9

  tarvel-calc export ESTRUTURA nome=valor ... --length L FAIXA SAÍDA
      SAÍDA é --touchstone ARQUIVO ou --spice ARQUIVO, e --zref Z opcional;
      FAIXA como em sweep. Grava uma linha de L metros para um simulador de
      circuitos: parâmetros
      S em Touchstone 1.1 (.s2p; .s4p de um par, portas 1 e 2 nas pontas da
      linha 1, 3 e 4 nas da linha 2) com impedância de referência Z (50 ohm),
      ou um subcircuito SPICE: uma escada de seções R, L, G, C (40 por
      comprimento de onda em F2) com os valores por metro na média
      geométrica da faixa, onde valem; um par com indutância e resistência
      mútuas. Números no locale C; o arquivo é gravado de uma vez (uma falha
      não deixa arquivo parcial).
      Exemplo:  tarvel-calc export coupled-microstrip W=0.5 S=0.25 h=0.6 t=0.035 er=3.66 \
                    tand=0.004 sigma=5.8e7 --length 0.1 --from 1e9 --to 3e9 --points 3 --touchstone par.s4p

  tarvel-calc --help
      Este texto.

SAÍDA --json
  Um objeto numa linha:
    {"window":"TForm2","inputs":{...},"results":{"impedancia":"247.8624",...},"warnings":[...]}
  Quando uma verificação recusa as entradas, "message" vem no lugar de
  "results"; quando uma falha aritmética para o modelo, "fault". Os
  resultados são os mesmos textos com 4 decimais.

CÓDIGOS DE SAÍDA
  0   resultados calculados (ou arquivo gravado)
  1   arquivo recusado, ilegível, incompleto ou não gravado
  2   uma verificação recusou as entradas: "message: <texto exato>"; em
      field, a mensagem (que nomeia o campo) vai para o erro padrão; em
      sweep e export, um valor recusado (frequência, sigma, tand, rq, pontos,
      comprimento) ou um arquivo que não pôde ser gravado
  3   falha aritmética: "fault: <texto padrão>" (em check, com o campo
      resolvido quando a seção existe); em field, a solução de campo falhou
  4   solução de campo não alcançada: o limite da malha chegou antes do
      erro pedido (os melhores valores são mostrados, com um aviso) ou
      antes de qualquer estimativa (o motivo é dito)
  64  uso incorreto: janela ou campo desconhecido, argumento malformado
)";
    return text;
}

} // namespace tarvel::cli
