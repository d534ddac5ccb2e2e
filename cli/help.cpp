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
      Exemplo:  tarvel-calc check TForm4 frequencia=1 Combobox2=4.4 \
                    Combobox1=57600000 Tanperda=0.02 largura=3 ComboBox4=1.6 ComboBox3=0.035

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
  2   uma verificação recusou as entradas: "message: <texto exato>"
  3   falha aritmética: "fault: <texto padrão>"
  64  uso incorreto: janela ou campo desconhecido, argumento malformado
)";
    return text;
}

} // namespace tarvel::cli
